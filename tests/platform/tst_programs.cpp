#include "platform.h"
#include "temptree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <sys/stat.h>

using namespace platform;

namespace {

// Writes its first argument and its working folder to the file named by the second, in one
// rename, so that a reader never sees half of it.
const QByteArray reportScript = "printf '%s\\n' \"$1\" > \"$2.part\"\n"
                                "pwd -P >> \"$2.part\"\n"
                                "mv \"$2.part\" \"$2\"\n";

QByteArray ReadAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestPrograms : public QObject {
    Q_OBJECT

private slots:
    void BatchFileRunsInShell_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("sh script") << "report.sh";
        QTest::newRow("script named as batch file") << "Rename.bat";
        QTest::newRow("upper-case extension") << "REPORT.SH";
    }
    void BatchFileRunsInShell() {
        QFETCH(QString, name);
        TempTree tree({QStringLiteral("work/")});
        tree.Write(name, reportScript);
        const QString output = tree.PathOf(QStringLiteral("out.txt"));
        const QString work = tree.PathOf(QStringLiteral("work"));
        QVERIFY(StartDetached(tree.PathOf(name), {QStringLiteral("two words"), output}, work));
        QTRY_VERIFY(QFile::exists(output));
        const QByteArray expected =
            "two words\n" + QFile::encodeName(QFileInfo(work).canonicalFilePath()) + "\n";
        QCOMPARE(ReadAll(output), expected);
    }

    void ProgramStartedDirectly() {
        TempTree tree;
        const QString output = tree.PathOf(QStringLiteral("out.txt"));
        QVERIFY(StartDetached(QStringLiteral("/bin/sh"),
                              {QStringLiteral("-c"), QString::fromUtf8(reportScript),
                               QStringLiteral("sh"), QStringLiteral("direct"), output},
                              tree.Root()));
        QTRY_VERIFY(QFile::exists(output));
        QVERIFY(ReadAll(output).startsWith("direct\n"));
    }

    void MissingProgramNotStarted() {
        TempTree tree;
        QVERIFY(!StartDetached(tree.PathOf(QStringLiteral("no-such-program"))));
    }

    void FileNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("executable") << ExecutableName(QStringLiteral("Backup")) << "Backup";
        QTest::newRow("updater") << ExecutableName(QStringLiteral("Refitter")) << "Refitter";
        QTest::newRow("library") << LibraryFileName(QStringLiteral("Urlpull")) << "libUrlpull.so";
        QTest::newRow("roster") << LibraryFileName(QStringLiteral("CheckRoster"))
                                << "libCheckRoster.so";
        QTest::newRow("batch file") << BatchFileName(QStringLiteral("Rename.bat")) << "Rename.bat";
    }
    void FileNames() {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(name, expected);
    }

    void RunningProgramInUse() {
        TempTree tree;
        const QString copy = tree.PathOf(QStringLiteral("Backup"));
        QVERIFY(QFile::copy(QStringLiteral("/bin/sleep"), copy));
        const QByteArray original = ReadAll(copy);
        QVERIFY(!IsFileInUse(copy));

        QProcess running;
        running.start(copy, {QStringLiteral("600")});
        QVERIFY(running.waitForStarted());
        QVERIFY(IsFileInUse(copy));
        running.kill();
        QVERIFY(running.waitForFinished());
        QVERIFY(!IsFileInUse(copy));
        QCOMPARE(ReadAll(copy), original);
    }

    void NotInUse_data() {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("relative");
        QTest::newRow("missing file") << ""
                                      << "missing";
        QTest::newRow("plain file") << "data.txt=keep me"
                                    << "data.txt";
        QTest::newRow("directory") << "folder/"
                                   << "folder";
    }
    void NotInUse() {
        QFETCH(QString, description);
        QFETCH(QString, relative);
        TempTree tree(description.isEmpty() ? QStringList() : QStringList{description});
        const QString path = tree.PathOf(relative);
        const QByteArray before = ReadAll(path);
        QVERIFY(!IsFileInUse(path));
        QCOMPARE(ReadAll(path), before);
        QCOMPARE(QFile::exists(path), !description.isEmpty());
    }

    void FifoWithoutReaderDoesNotHang() {
        TempTree tree;
        const QString path = tree.PathOf(QStringLiteral("pipe"));
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        QVERIFY(!IsFileInUse(path));
    }
};

QTEST_GUILESS_MAIN(TestPrograms)
#include "tst_programs.moc"
