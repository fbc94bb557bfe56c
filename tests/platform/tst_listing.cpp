#include "platform.h"
#include "temptree.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

namespace {

QString KindsOf(const QList<DirEntry> &entries) {
    QStringList shown;
    for (const DirEntry &entry : entries) {
        const char *kind = entry.kind == EntryKind::File        ? "file"
                           : entry.kind == EntryKind::Directory ? "dir"
                           : entry.kind == EntryKind::Link      ? "link"
                                                                : "other";
        shown << entry.name + QLatin1Char(':') + QLatin1String(kind);
    }
    return shown.join(QLatin1Char(' '));
}

} // namespace

class TestListing : public QObject {
    Q_OBJECT

private slots:
    void EntriesAreSortedAndKnownByKind() {
        TempTree tree({"d/b.txt=b", "d/A.txt=a", "d/sub/", "d/.hidden=h"});
        const QString dir = tree.PathOf("d");
        QVERIFY(QFile::link(tree.PathOf("d/b.txt"), tree.PathOf("d/link")));
        QCOMPARE(::mkfifo(QFile::encodeName(tree.PathOf("d/pipe")).constData(), 0600), 0);
        bool readable = false;
        QCOMPARE(KindsOf(ReadDirectory(dir, &readable)),
                 QStringLiteral(".hidden:file A.txt:file b.txt:file link:link pipe:other sub:dir"));
        QVERIFY(readable);
    }

    void MissingOrClosedDirectoryIsUnreadable_data() {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<bool>("closed");
        QTest::newRow("missing") << "none" << false;
        QTest::newRow("a file") << "file.txt" << false;
        QTest::newRow("no permission") << "closed" << true;
    }
    void MissingOrClosedDirectoryIsUnreadable() {
        QFETCH(QString, relative);
        QFETCH(bool, closed);
        if (closed && ::geteuid() == 0)
            QSKIP("permissions do not hold for root");
        TempTree tree({"file.txt=x", "closed/inside.txt=y"});
        if (closed)
            QVERIFY(QFile::setPermissions(tree.PathOf("closed"), QFileDevice::ReadOwner));
        bool readable = true;
        QVERIFY(ReadDirectory(tree.PathOf(relative), &readable).isEmpty());
        QVERIFY(!readable);
        QFile::setPermissions(tree.PathOf("closed"), QFileDevice::ReadOwner |
                                                         QFileDevice::WriteOwner |
                                                         QFileDevice::ExeOwner);
    }

    void RegularFileLengthWithItsArchiveAttribute_data() {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<qint64>("length");
        QTest::addColumn<bool>("clearFirst");
        QTest::addColumn<bool>("archiveSet");
        QTest::newRow("new file") << "a.bin" << qint64(3000) << false << true;
        QTest::newRow("backed up file") << "a.bin" << qint64(3000) << true << false;
        QTest::newRow("empty file") << "empty" << qint64(0) << true << false;
        QTest::newRow("directory") << "sub" << qint64(-1) << false << true;
        QTest::newRow("link to a file") << "link" << qint64(-1) << false << true;
        QTest::newRow("missing") << "none" << qint64(-1) << false << true;
    }
    void RegularFileLengthWithItsArchiveAttribute() {
        QFETCH(QString, relative);
        QFETCH(qint64, length);
        QFETCH(bool, clearFirst);
        QFETCH(bool, archiveSet);
        TempTree tree({"a.bin:3000", "empty", "sub/"});
        QVERIFY(QFile::link(tree.PathOf("a.bin"), tree.PathOf("link")));
        const QString path = tree.PathOf(relative);
        if (clearFirst)
            QVERIFY(ClearArchiveAttribute(path));
        bool set = !archiveSet;
        QCOMPARE(RegularFileLength64(path, &set), length);
        QCOMPARE(set, archiveSet);
        QCOMPARE(RegularFileLength64(path), length);
        if (length >= 0)
            QCOMPARE(set, ArchiveAttributeSet(path));
        // The same answers for the name looked at in its open directory.
        const OpenDirectory dir(tree.Root());
        set = !archiveSet;
        QCOMPARE(dir.RegularFileLength64(relative, &set), length);
        QCOMPARE(set, archiveSet);
        QCOMPARE(dir.RegularFileLength64(relative), length);
    }

    // What happens to the directory between its listing and the look at its files.
    void OpenDirectoryAfterItsDirectoryChanged_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<qint64>("length");
        QTest::addColumn<bool>("archiveSet");
        QTest::newRow("nothing") << "none" << qint64(5) << false;
        QTest::newRow("file rewritten") << "rewrite" << qint64(7) << true;
        QTest::newRow("file made a link") << "link" << qint64(-1) << true;
        QTest::newRow("gone before it was opened") << "gone before" << qint64(-1) << true;
        QTest::newRow("gone while open") << "gone while open" << qint64(-1) << true;
        // The open directory is the one listed: a link put in its place leads nowhere else.
        QTest::newRow("replaced by a link") << "replaced" << qint64(5) << false;
    }
    void OpenDirectoryAfterItsDirectoryChanged() {
        QFETCH(QString, change);
        QFETCH(qint64, length);
        QFETCH(bool, archiveSet);
        TempTree tree({"d/f.txt:5", "elsewhere/f.txt:9"});
        const QString dirPath = tree.PathOf("d/");
        QVERIFY(ClearArchiveAttribute(tree.PathOf("d/f.txt")));
        QVERIFY(ClearArchiveAttribute(tree.PathOf("elsewhere/f.txt")));
        const auto removeDir = [&] { QVERIFY(QDir(dirPath).removeRecursively()); };
        if (change == "gone before")
            removeDir();
        const OpenDirectory dir(dirPath);
        if (change == "rewrite") {
            tree.Write("d/f.txt", "changed");
        } else if (change == "link") {
            QVERIFY(QFile::remove(tree.PathOf("d/f.txt")));
            QVERIFY(QFile::link(tree.PathOf("elsewhere/f.txt"), tree.PathOf("d/f.txt")));
        } else if (change == "gone while open") {
            removeDir();
        } else if (change == "replaced") {
            QVERIFY(QDir().rename(dirPath, tree.PathOf("moved")));
            QVERIFY(QFile::link(tree.PathOf("elsewhere"), tree.PathOf("d")));
        }
        bool set = !archiveSet;
        QCOMPARE(dir.RegularFileLength64(QStringLiteral("f.txt"), &set), length);
        QCOMPARE(set, archiveSet);
    }
};

QTEST_GUILESS_MAIN(TestListing)
#include "tst_listing.moc"
