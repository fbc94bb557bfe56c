// The download control against a real server on 127.0.0.1: the request it sends, what it makes
// of each kind of answer, the files it writes, and how it ends when the server fails it.

#include "scriptedprompt.h"
#include "scriptedserver.h"
#include "smallfilesystem.h"
#include "temptree.h"
#include "urlpull.h"
#include "urlpullrequest.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

namespace {

QByteArray ReadAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteAll(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray BinaryBody() {
    QByteArray body;
    for (int i = 0; i < 300000; ++i)
        body += char((i * 7 + i / 256) & 0xff);
    body += "\r\n\r\nHTTP/1.1 404\r\n"; // header-like bytes inside the body stay body
    return body;
}

} // namespace

Q_DECLARE_METATYPE(ScriptedServer::Mode)

class TestUrlpull : public QObject {
    Q_OBJECT

private:
    // Runs one download and waits for its end; returns the success flag.
    bool Pull(Urlpull &control, const QString &address, const QString &outFile) {
        QSignalSpy finished(&control, &Urlpull::UrlpullFinish);
        control.StartDownload(address, outFile);
        if (!finished.wait(20000))
            return false;
        return finished.first().first().toBool();
    }

private slots:
    void requestBytes_data() {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("requested");
        QTest::newRow("scheme in capitals") << "HTTP://"
                                            << "/a/b.txt" << QByteArray("/a/b.txt");
        QTest::newRow("bare host") << ""
                                   << "" << QByteArray("/");
        QTest::newRow("host and slash") << "http://"
                                        << "/" << QByteArray("/");
        QTest::newRow("query encoded") << ""
                                       << "/x?a b:c" << QByteArray("/x?a%20b%3ac");
        QTest::newRow("query keeps % & =")
            << ""
            << "/up.cgi?v=1.2-3/x?y&z=%41" << QByteArray("/up.cgi?v=1%2e2%2d3%2fx%3fy&z=%41");
        QTest::newRow("backslashes") << ""
                                     << "\\dir\\f.ver" << QByteArray("/dir/f.ver");
    }
    void requestBytes() {
        QFETCH(QString, prefix);
        QFETCH(QString, path);
        QFETCH(QByteArray, requested);
        ScriptedServer server;
        server.Script(ScriptedServer::Mode::Answer, "HTTP/1.1 200 OK\r\n\r\nx");
        TempTree tree;
        Urlpull control;
        QVERIFY(Pull(control, prefix + server.Address(path), tree.PathOf("out")));
        const QByteArray host = server.Address().toLatin1();
        QCOMPARE(server.Request(), "GET " + requested + " HTTP/1.1\r\nHost: " + host +
                                       "\r\nConnection: close\r\n\r\n");
    }

    void responses_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("success");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QByteArray>("file");
        const QByteArray old("earlier file");
        const QByteArray body = BinaryBody();
        QTest::newRow("whole binary body")
            << "HTTP/1.1 200 OK\r\nServer: t\r\n\r\n" + body << true << "" << body + "\n";
        // Taken from the socket in several pieces, written as they come.
        const QByteArray large = TempTree::PseudoRandomBytes(3 * 1024 * 1024 + 7, "large");
        QTest::newRow("body larger than one read")
            << "HTTP/1.1 200 OK\r\n\r\n" + large << true << "" << large + "\n";
        QTest::newRow("empty body")
            << QByteArray("HTTP/1.0 200 OK\r\n\r\n") << true << "" << QByteArray("\n");
        QTest::newRow("no header")
            << QByteArray("just text, no blank line") << false << "Error! No header!" << old;
        QTest::newRow("404 with 200 elsewhere in the header")
            << QByteArray("HTTP/1.1 404 Not Found\r\nContent-Length: 1200\r\n\r\nmissing") << false
            << "Error! Server error!" << old;
        QTest::newRow("200 only in the body")
            << QByteArray("HTTP/1.1 500 Oops\r\n\r\nHTTP/1.1 200 OK\r\n\r\n") << false
            << "Error! Server error!" << old;
        QTest::newRow("closed without a word")
            << QByteArray() << false << "Error! File is empty!" << old;
    }
    void responses() {
        QFETCH(QByteArray, answer);
        QFETCH(bool, success);
        QFETCH(QString, message);
        QFETCH(QByteArray, file);
        ScriptedServer server;
        server.Script(answer.isEmpty() ? ScriptedServer::Mode::CloseAtOnce
                                       : ScriptedServer::Mode::Answer,
                      answer);
        TempTree tree;
        const QString out = tree.PathOf("Backup.Upk");
        WriteAll(out, "earlier file");
        ScriptedPrompt prompt;
        Urlpull control;
        QCOMPARE(Pull(control, server.Address("/Backup.Upk"), out), success);
        QCOMPARE(prompt.Texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(ReadAll(out), file);
        // Nothing of the download is left beside the file, whatever the outcome.
        QCOMPARE(QDir(tree.Root()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"Backup.Upk"});
        QVERIFY(!control.IsRunning());
        QCOMPARE(control.findChild<QLabel *>("lblURL")->text(), QString("Not Downloading"));
        QVERIFY(!control.findChild<QPushButton *>("cmdCancel")->isEnabled());
    }

    void counterRunsOnAcrossDownloads() {
        ScriptedServer server;
        server.Script(ScriptedServer::Mode::Answer,
                      "HTTP/1.1 200 OK\r\n\r\n" + QByteArray(1000, 'a'));
        TempTree tree;
        Urlpull control;
        QCOMPARE(control.findChild<QLabel *>("lblDownloaded")->text(), QString("0 b"));
        QVERIFY(Pull(control, server.Address("/one"), tree.PathOf("one")));
        QCOMPARE(control.findChild<QLabel *>("lblDownloaded")->text(), QString("1019 b"));
        QVERIFY(Pull(control, server.Address("/two"), tree.PathOf("two")));
        QCOMPARE(control.Received(), 2038);
        QCOMPARE(control.findChild<QLabel *>("lblDownloaded")->text(), QString("1.99 kb"));
    }

    void downloadedText_data() {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("exactly 1024 stays bytes") << qint64(1024) << "1024 b";
        QTest::newRow("one and a half kb") << qint64(1536) << "1.5 kb";
        QTest::newRow("cut, not rounded") << qint64(1024 * 1024 - 1) << "1023.99 kb";
        QTest::newRow("megabytes") << qint64(5 * 1024 * 1024 + 1) << "5 mb";
        QTest::newRow("past 4 gb") << qint64(5) * 1024 * 1024 * 1024 + 1 << "5 gb";
    }
    void downloadedText() {
        QFETCH(qint64, bytes);
        QFETCH(QString, text);
        QCOMPARE(DownloadedText(bytes), text);
    }

    // A server that takes the request and never answers: the timeout ends the download, and
    // Cancel or AbortDoc end it at once without a word.
    void stalledServer_data() {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("timeout") << "timeout" << QStringList{"Get URL Timed Out!"};
        QTest::newRow("Cancel button") << "cancel" << QStringList();
        QTest::newRow("AbortDoc") << "abort" << QStringList();
    }
    void stalledServer() {
        QFETCH(QString, ending);
        QFETCH(QStringList, messages);
        ScriptedServer server;
        server.Script(ScriptedServer::Mode::Silent);
        TempTree tree;
        const QString out = tree.PathOf("out");
        ScriptedPrompt prompt;
        Urlpull control;
        control.SetTimeOutMs(ending == "timeout" ? 50 : Urlpull::DefaultTimeOutMs);
        QSignalSpy requested(&server, &ScriptedServer::RequestReceived);
        QSignalSpy finished(&control, &Urlpull::UrlpullFinish);
        control.StartDownload(server.Address("/slow"), out);
        QVERIFY(requested.wait(20000));
        QVERIFY(control.IsRunning());
        if (ending == "cancel")
            QTest::mouseClick(control.findChild<QPushButton *>("cmdCancel"), Qt::LeftButton);
        else if (ending == "abort")
            control.AbortDoc();
        QVERIFY(finished.count() == 1 || finished.wait(20000));
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.first().first().toBool(), false);
        QCOMPARE(prompt.Texts(), messages);
        QVERIFY(!QFile::exists(out));
        QVERIFY(!control.IsRunning());
    }

    // Shrunk as far as it goes, at the default font and half as large again, the panel keeps its
    // floor and shows every control whole.
    void smallestPanel_data() {
        QTest::addColumn<double>("scale");
        QTest::newRow("default font") << 1.0;
        QTest::newRow("font 1.5 times") << 1.5;
    }
    void smallestPanel() {
        QFETCH(double, scale);
        Urlpull control;
        QFont font = control.font();
        font.setPointSizeF(font.pointSizeF() * scale);
        control.setFont(font);
        control.show();
        control.resize(1, 1);
        QApplication::processEvents();
        QVERIFY(control.width() >= 4000 / 15 && control.height() >= 1335 / 15);
        for (auto *child : control.findChildren<QWidget *>()) {
            const QRect inPanel(child->mapTo(&control, QPoint(0, 0)), child->size());
            QVERIFY2(control.rect().contains(inPanel), qPrintable(child->objectName()));
            QVERIFY2(child->height() >= child->sizeHint().height(),
                     qPrintable(child->objectName()));
        }
        auto *url = control.findChild<QLabel *>("lblURL");
        QVERIFY(url->width() >= url->fontMetrics().horizontalAdvance(url->text()));
    }

    void secondPullWhileRunningChangesNothing() {
        ScriptedServer server;
        server.Script(ScriptedServer::Mode::Silent);
        TempTree tree;
        Urlpull control;
        control.resize(600, 120);
        control.show();
        QSignalSpy started(&control, &Urlpull::UrlpullStart);
        QSignalSpy requested(&server, &ScriptedServer::RequestReceived);
        control.StartDownload(server.Address("/first"), tree.PathOf("first"));
        QVERIFY(requested.wait(20000));
        control.StartDownload(server.Address("/second"), tree.PathOf("second"));
        QCOMPARE(started.count(), 1);
        QVERIFY(server.Request().startsWith("GET /first "));
        QVERIFY(control.findChild<QLabel *>("lblURL")->text().contains("first"));
        control.AbortDoc();
    }

    void abortWhileIdleOnlyFinishes() {
        ScriptedPrompt prompt;
        Urlpull control;
        QSignalSpy finished(&control, &Urlpull::UrlpullFinish);
        control.AbortDoc();
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.first().first().toBool(), false);
        QVERIFY(prompt.Texts().isEmpty());
    }

    void refusedConnection() {
        quint16 port = 0;
        {
            QTcpServer closed;
            QVERIFY(closed.listen(QHostAddress::LocalHost));
            port = closed.serverPort();
        }
        TempTree tree;
        ScriptedPrompt prompt;
        Urlpull control;
        QSignalSpy errors(&control, &Urlpull::UrlpullError);
        QVERIFY(!Pull(control, QString("127.0.0.1:%1/x").arg(port), tree.PathOf("out")));
        QCOMPARE(errors.count(), 1);
        const QString text = errors.first().first().toString();
        QVERIFY2(text.startsWith("WinSock Error! \r\n") && text.size() > 17, qPrintable(text));
        QVERIFY(prompt.Texts().isEmpty());
        QVERIFY(!control.IsRunning());
    }

    // A server that stops in the middle of the body: the part received is thrown away and the
    // earlier file stays as it was.
    void endedInTheBody_data() {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("timeout") << "timeout" << QStringList{"Get URL Timed Out!"};
        QTest::newRow("AbortDoc") << "abort" << QStringList();
    }
    void endedInTheBody() {
        QFETCH(QString, ending);
        QFETCH(QStringList, messages);
        ScriptedServer server;
        server.Script(ScriptedServer::Mode::AnswerAndStall,
                      "HTTP/1.1 200 OK\r\n\r\n" + QByteArray(5000, 'p'));
        TempTree tree;
        const QString out = tree.PathOf("Backup.Upk");
        WriteAll(out, "earlier file");
        ScriptedPrompt prompt;
        Urlpull control;
        QSignalSpy finished(&control, &Urlpull::UrlpullFinish);
        control.StartDownload(server.Address("/Backup.Upk"), out);
        QTRY_COMPARE_WITH_TIMEOUT(control.Received(), qint64(5019), 20000);
        if (ending == "timeout")
            control.SetTimeOutMs(50);
        else
            control.AbortDoc();
        QVERIFY(finished.count() == 1 || finished.wait(20000));
        QCOMPARE(finished.first().first().toBool(), false);
        QCOMPARE(prompt.Texts(), messages);
        QCOMPARE(ReadAll(out), QByteArray("earlier file"));
        QCOMPARE(QDir(tree.Root()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"Backup.Upk"});
    }

    // Whatever a server sends, a download ends with a failure once it passes a bound, and the
    // earlier file stays as it was.
    void downloadLimits_data() {
        QTest::addColumn<ScriptedServer::Mode>("mode");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("reset");
        QTest::addColumn<qint64>("bodyLimit");
        QTest::addColumn<qint64>("expected");
        QTest::addColumn<QString>("message");
        using Mode = ScriptedServer::Mode;
        const QByteArray ok = "HTTP/1.1 200 OK\r\n";
        const QByteArray part(5000, 'p');
        const QString incomplete = "Error! Download incomplete!\r\n5000 of %1 bytes were received.";
        QTest::newRow("header never ends") << Mode::AnswerAndStall << ok + QByteArray(70000, 'h')
                                           << false << -1LL << -1LL << "Error! No header!";
        QTest::newRow("body past the limit")
            << Mode::AnswerAndStall << ok + "\r\n" + part << false << 1000LL << -1LL
            << "Error! Document too large!\r\nMore than 1000 bytes were sent.";
        QTest::newRow("body past the stated length")
            << Mode::AnswerAndStall << ok + "Content-Length: 100\r\n\r\n" + part << false << -1LL
            << -1LL << "Error! Document too large!\r\nMore than 100 bytes were sent.";
        QTest::newRow("reset in the body")
            << Mode::AnswerAndStall << ok + "Content-Length: 9000\r\n\r\n" + part << true << -1LL
            << -1LL << incomplete.arg(9000);
        QTest::newRow("reset, length from the host")
            << Mode::AnswerAndStall << ok + "\r\n" + part << true << -1LL << 8000LL
            << incomplete.arg(8000);
        QTest::newRow("dripping server") << Mode::AnswerAndDrip << ok + "\r\n" + part << false
                                         << -1LL << -1LL << "Get URL Timed Out!";
        QTest::newRow("disk full")
            << Mode::AnswerAndStall << ok + "\r\n" + QByteArray(200000, 'f') << false << -1LL
            << -1LL << "Error! Cannot write the downloaded file!";
    }
    void downloadLimits() {
        QFETCH(ScriptedServer::Mode, mode);
        QFETCH(QByteArray, answer);
        QFETCH(bool, reset);
        QFETCH(qint64, bodyLimit);
        QFETCH(qint64, expected);
        QFETCH(QString, message);
        // The only row that writes more than a few kilobytes writes to a disk that cannot hold it.
        SmallFileSystem disk(64);
        if (answer.size() > 100000 && !disk.IsMounted())
            QSKIP("mounting a small file system needs the right to mount");
        TempTree tree;
        const QString folder = disk.IsMounted() ? disk.Root() : tree.Root();
        const QString out = folder + QStringLiteral("Backup.Upk");
        WriteAll(out, "earlier file");
        ScriptedServer server;
        server.Script(mode, answer);
        ScriptedPrompt prompt;
        Urlpull control;
        control.SetTimeOutMs(300);
        control.SetBodyLimit(bodyLimit);
        control.SetExpectedLength(expected);
        QSignalSpy finished(&control, &Urlpull::UrlpullFinish);
        control.StartDownload(server.Address("/Backup.Upk"), out);
        if (reset) {
            QTRY_COMPARE_WITH_TIMEOUT(control.Received(), qint64(answer.size()), 20000);
            server.ResetClients();
        }
        QVERIFY(finished.count() == 1 || finished.wait(20000));
        QCOMPARE(finished.first().first().toBool(), false);
        QCOMPARE(prompt.Texts().size(), 1);
        QVERIFY2(prompt.Texts().first().startsWith(message), qPrintable(prompt.Texts().first()));
        QCOMPARE(ReadAll(out), QByteArray("earlier file"));
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"Backup.Upk"});
    }

    void outFileCannotBeWritten() {
        ScriptedServer server;
        server.Script(ScriptedServer::Mode::Answer, "HTTP/1.1 200 OK\r\n\r\nbody");
        TempTree tree;
        ScriptedPrompt prompt;
        Urlpull control;
        const QString out = tree.PathOf("no such folder/out");
        QVERIFY(!Pull(control, server.Address("/x"), out));
        QCOMPARE(prompt.Texts().size(), 1);
        QVERIFY(prompt.Texts().first().startsWith("Error! Cannot write the downloaded file!"));
        QVERIFY(prompt.Texts().first().contains(out));
        QVERIFY(!QFile::exists(out));
    }
};

QTEST_MAIN(TestUrlpull)
#include "tst_urlpull.moc"
