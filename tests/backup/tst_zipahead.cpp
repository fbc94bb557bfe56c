// Zips made ahead on worker threads: each taken zip holds its own file, a file changed since it
// was queued is zipped anew, and a cancel, also during a pause, leaves no zip and no temporary
// file of the zip library behind.

#include "temptree.h"
#include "zipahead.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace {

QByteArray Text(int bytes, const QByteArray &seed) {
    const QByteArray line = seed + " some words of text that repeat\n";
    return line.repeated(bytes / line.size() + 1).left(bytes);
}

QByteArray Unzipped(const QString &zip, const QString &name) {
    QProcess process;
    process.start(QStandardPaths::findExecutable("unzip"), {"-p", zip, name});
    process.waitForFinished(60000);
    return process.readAllStandardOutput();
}

} // namespace

class TestZipAhead : public QObject {
    Q_OBJECT

    QString previousDir;
    TempTree work; // the estimates log goes here

private Q_SLOTS:
    void init() {
        previousDir = QDir::currentPath();
        QDir::setCurrent(work.Root());
    }
    void cleanup() { QDir::setCurrent(previousDir); }

    void eachTakenZipHoldsItsFile() {
        if (QStandardPaths::findExecutable("unzip").isEmpty())
            QSKIP("no unzip program to read the archives with");
        TempTree tree;
        QDir().mkpath(tree.PathOf("temp"));
        Zipper zipper;
        ZipAhead zips(zipper);
        for (int i = 0; i < 3; ++i) {
            const QString name = QStringLiteral("f%1.txt").arg(i);
            tree.Write("data/" + name, Text(300000 + i * 1000, name.toUtf8()));
            zips.Queue(i, tree.PathOf("data/" + name), tree.PathOf("temp/" + name + ".zip"),
                       platform::StateOf(tree.PathOf("data/" + name)), false);
        }
        QVERIFY(zips.Queued(1));
        // Two files besides the one waited for, and never more bytes than the limit.
        QVERIFY(!zips.Room(1, 0));
        QVERIFY(!ZipAhead(zipper).Room(ZipAhead::MaxBytes + 1, 0));
        QVERIFY(ZipAhead(zipper).Room(ZipAhead::MaxBytes, 0));
        for (int i = 2; i >= 0; --i) {
            const QString name = QStringLiteral("f%1.txt").arg(i);
            QCOMPARE(zips.Take(i), 0);
            QVERIFY(!zips.Queued(i));
            QCOMPARE(Unzipped(tree.PathOf("temp/" + name + ".zip"), name),
                     tree.Read("data/" + name));
        }
        QVERIFY(zips.Take(7) != 0); // never queued
        zips.Clear();
        // Taken zips are the caller's: clearing leaves them.
        QCOMPARE(QDir(tree.PathOf("temp")).entryList(QDir::Files).size(), 3);
    }

    void aFileChangedSinceItWasQueuedIsZippedAnew() {
        if (QStandardPaths::findExecutable("unzip").isEmpty())
            QSKIP("no unzip program to read the archive with");
        TempTree tree;
        tree.Write("a.txt", Text(200000, "old"));
        const QString source = tree.PathOf("a.txt");
        const QString zip = tree.PathOf("a.zip");
        Zipper zipper;
        ZipAhead zips(zipper);
        zips.Queue(0, source, zip, platform::StateOf(source), false);
        tree.Write("a.txt", Text(150000, "new"));
        zips.Queue(0, source, zip, platform::StateOf(source), true);
        QCOMPARE(zips.Take(0), 0);
        QCOMPARE(Unzipped(zip, "a.txt"), Text(150000, "new"));
    }

    void stoppedZipsLeaveNothing_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("cleared while zipping") << "clear";
        QTest::newRow("cleared during a pause") << "pause";
        QTest::newRow("aborted before the run takes them") << "abort";
    }
    void stoppedZipsLeaveNothing() {
        QFETCH(QString, how);
        TempTree tree;
        QDir().mkpath(tree.PathOf("temp"));
        Zipper zipper;
        ZipAhead zips(zipper);
        // Held from the start, no zip can end before the test acts, however slow the machine.
        zipper.Hold(true);
        for (int i = 0; i < 3; ++i) {
            const QString name = QStringLiteral("f%1.bin").arg(i);
            tree.Write(name, TempTree::PseudoRandomBytes(6 * 1024 * 1024, name));
        }
        for (int i = 0; i < 3; ++i) {
            const QString name = QStringLiteral("f%1.bin").arg(i);
            zips.Queue(i, tree.PathOf(name), tree.PathOf("temp/" + name + ".zip"),
                       platform::StateOf(tree.PathOf(name)), false);
        }
        if (how == "clear")
            zipper.Hold(false);
        if (how == "abort") {
            zipper.Abort();
            zipper.Hold(false);
            QVERIFY(zips.Take(0) != 0);
            QVERIFY(zips.Take(1) != 0); // queued before the abort, so stopped by it too
        }
        zips.Clear();
        QVERIFY(!zips.Queued(2));
        QCOMPARE(QDir(tree.PathOf("temp")).entryList(QDir::Files | QDir::Hidden), QStringList());
        // A zip queued after the abort runs.
        zipper.Hold(false);
        zips.Queue(5, tree.PathOf("f0.bin"), tree.PathOf("temp/again.zip"),
                   platform::StateOf(tree.PathOf("f0.bin")), true);
        QCOMPARE(zips.Take(5), 0);
        QVERIFY(QFile::exists(tree.PathOf("temp/again.zip")));
    }
};

QTEST_GUILESS_MAIN(TestZipAhead)
#include "tst_zipahead.moc"
