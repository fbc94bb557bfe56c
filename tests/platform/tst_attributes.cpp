#include "platform.h"
#include "temptree.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>

using namespace platform;

namespace {

struct timespec ModificationTime(const QString &path) {
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info.st_mtim;
}

// Sets the modification time exactly, so that a test never depends on the clock's granularity.
bool SetModificationTime(const QString &path, struct timespec when) {
    const struct timespec times[2] = {{0, UTIME_OMIT}, when};
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

bool SameTime(struct timespec a, struct timespec b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

} // namespace

class TestAttributes : public QObject {
    Q_OBJECT

private slots:
    void ClearedUntilContentOrSizeChanges() {
        TempTree tree({QStringLiteral("file.txt=first")});
        const QString path = tree.PathOf(QStringLiteral("file.txt"));
        QVERIFY(ArchiveAttributeSet(path));

        int error = -1;
        QVERIFY(ClearArchiveAttribute(path, &error));
        QCOMPARE(error, int(ErrNone));
        QVERIFY(!ArchiveAttributeSet(path));

        // Same size, new modification time.
        struct timespec when = ModificationTime(path);
        tree.Write(QStringLiteral("file.txt"), "other");
        when.tv_sec += 10;
        QVERIFY(SetModificationTime(path, when));
        QVERIFY(ArchiveAttributeSet(path));

        QVERIFY(ClearArchiveAttribute(path));
        QVERIFY(!ArchiveAttributeSet(path));

        // New size, the modification time put back: the size alone gives it away.
        tree.Write(QStringLiteral("file.txt"), "other and longer");
        QVERIFY(SetModificationTime(path, when));
        QVERIFY(ArchiveAttributeSet(path));
    }

    void OnlyNanosecondsDiffer() {
        TempTree tree({QStringLiteral("file.txt=text")});
        const QString path = tree.PathOf(QStringLiteral("file.txt"));
        struct timespec when = {1700000000, 100};
        QVERIFY(SetModificationTime(path, when));
        QVERIFY(ClearArchiveAttribute(path));
        when.tv_nsec = 101;
        QVERIFY(SetModificationTime(path, when));
        QVERIFY(ArchiveAttributeSet(path));
    }

    void ClearingKeepsModificationTime() {
        TempTree tree({QStringLiteral("file.txt=text")});
        const QString path = tree.PathOf(QStringLiteral("file.txt"));
        const struct timespec when = {1600000000, 123456789};
        QVERIFY(SetModificationTime(path, when));
        QVERIFY(ClearArchiveAttribute(path));
        QVERIFY(SameTime(ModificationTime(path), when));
        QCOMPARE(tree.Read(QStringLiteral("file.txt")), QByteArray("text"));
    }

    void SetRemovesStamp() {
        TempTree tree({QStringLiteral("file.txt=text")});
        const QString path = tree.PathOf(QStringLiteral("file.txt"));
        QVERIFY(ClearArchiveAttribute(path));
        QVERIFY(SetArchiveAttribute(path));
        QVERIFY(ArchiveAttributeSet(path));
        const QByteArray name = QFile::encodeName(path);
        QVERIFY(::getxattr(name.constData(), "user.pellmoor.archive", nullptr, 0) < 0);
        // Setting an attribute that is already set succeeds.
        QVERIFY(SetArchiveAttribute(path));
    }

    void ForeignStampCountsAsChanged() {
        TempTree tree({QStringLiteral("file.txt=text")});
        const QString path = tree.PathOf(QStringLiteral("file.txt"));
        QVERIFY(ClearArchiveAttribute(path));
        const QByteArray name = QFile::encodeName(path);
        char stamp[64] = {};
        const ssize_t length =
            ::getxattr(name.constData(), "user.pellmoor.archive", stamp, sizeof stamp);
        QVERIFY(length > 0);
        // The same stamp with extra text after it must not match.
        const QByteArray longer = QByteArray(stamp, length) + "0";
        QCOMPARE(::setxattr(name.constData(), "user.pellmoor.archive", longer.constData(),
                            longer.size(), 0),
                 0);
        QVERIFY(ArchiveAttributeSet(path));
    }

    // The mark travels with the file; only the path it was made for may pass it as unchanged,
    // however the file came to stand where it is.
    void MarkNamesItsPath_data() {
        QTest::addColumn<QString>("history");
        QTest::addColumn<bool>("setAfterwards");
        QTest::newRow("unchanged") << "none" << false;
        QTest::newRow("renamed, edited and marked, renamed back") << "round trip" << true;
        QTest::newRow("a copy that kept the attributes") << "copied" << true;
        QTest::newRow("mark of the older form") << "old form" << true;
    }
    void MarkNamesItsPath() {
        QFETCH(QString, history);
        QFETCH(bool, setAfterwards);
        TempTree tree({QStringLiteral("a.txt=first"), QStringLiteral("other.txt=x")});
        const QString a = tree.PathOf(QStringLiteral("a.txt"));
        const QString b = tree.PathOf(QStringLiteral("b.txt"));
        QVERIFY(ClearArchiveAttribute(a));
        QString asked = a;
        if (history == "round trip") {
            QVERIFY(QFile::rename(a, b));
            tree.Write(QStringLiteral("b.txt"), "edited");
            QVERIFY(ClearArchiveAttributeAsOf(b, StateOf(b)));
            QVERIFY(QFile::rename(b, a));
        } else if (history == "copied") {
            const QString copy = tree.PathOf(QStringLiteral("other.txt"));
            tree.Write(QStringLiteral("other.txt"), "first");
            char mark[80];
            const ssize_t length = ::getxattr(QFile::encodeName(a).constData(),
                                              "user.pellmoor.archive", mark, sizeof mark);
            QVERIFY(length > 0);
            QCOMPARE(::setxattr(QFile::encodeName(copy).constData(), "user.pellmoor.archive", mark,
                                size_t(length), 0),
                     0);
            QVERIFY(SetModificationTime(copy, ModificationTime(a)));
            QVERIFY(!ArchiveAttributeSet(a));
            asked = copy;
        } else if (history == "old form") {
            const struct timespec when = ModificationTime(a);
            const QByteArray old =
                QByteArray::number(qint64(when.tv_sec) * 1000000000 + when.tv_nsec) + " 5";
            QCOMPARE(::setxattr(QFile::encodeName(a).constData(), "user.pellmoor.archive",
                                old.constData(), size_t(old.size()), 0),
                     0);
        }
        QCOMPARE(ArchiveAttributeSet(asked), setAfterwards);
        // The same answer where the directory's part of the path is hashed once for its files.
        const OpenDirectory dir(tree.Root());
        bool set = !setAfterwards;
        dir.RegularFileLength64(QFileInfo(asked).fileName(), &set);
        QCOMPARE(set, setAfterwards);
    }

    // Cleared as of the state the backup saw: a file changed after that look keeps counting as
    // changed, whether the change came in time, in size or both.
    void ClearedAsOfASeenState_data() {
        QTest::addColumn<QByteArray>("rewrite"); // empty: left as it was seen
        QTest::addColumn<int>("laterSeconds");
        QTest::addColumn<bool>("setAfterwards");
        QTest::newRow("unchanged since") << QByteArray() << 0 << false;
        QTest::newRow("same size, later time") << QByteArray("other") << 10 << true;
        QTest::newRow("other size, same time") << QByteArray("longer text") << 0 << true;
    }
    void ClearedAsOfASeenState() {
        QFETCH(QByteArray, rewrite);
        QFETCH(int, laterSeconds);
        QFETCH(bool, setAfterwards);
        TempTree tree({QStringLiteral("file.txt=first")});
        const QString path = tree.PathOf(QStringLiteral("file.txt"));
        const FileState seen = StateOf(path);
        if (!rewrite.isEmpty()) {
            struct timespec when = ModificationTime(path);
            tree.Write(QStringLiteral("file.txt"), rewrite);
            when.tv_sec += laterSeconds;
            QVERIFY(SetModificationTime(path, when));
        }
        int error = -1;
        QVERIFY(ClearArchiveAttributeAsOf(path, seen, &error));
        QCOMPARE(error, int(ErrNone));
        QCOMPARE(ArchiveAttributeSet(path), setAfterwards);
    }

    void ClearedAsOfAMissingFile() {
        TempTree tree;
        FileState seen;
        seen.length = 3;
        int error = 0;
        QVERIFY(!ClearArchiveAttributeAsOf(tree.PathOf(QStringLiteral("gone.txt")), seen, &error));
        QCOMPARE(error, int(ErrFileNotFound));
    }

    void MissingFile_data() {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<int>("expected");
        QTest::newRow("no such file") << "missing.txt" << int(ErrFileNotFound);
        QTest::newRow("no such directory") << "missing/file.txt" << int(ErrFileNotFound);
        QTest::newRow("file used as directory") << "plain.txt/file.txt" << int(ErrPathNotFound);
    }
    void MissingFile() {
        QFETCH(QString, relative);
        QFETCH(int, expected);
        TempTree tree({QStringLiteral("plain.txt=x")});
        const QString path = tree.PathOf(relative);
        int error = 0;
        QVERIFY(!ClearArchiveAttribute(path, &error));
        QCOMPARE(error, expected);
        QVERIFY(ArchiveAttributeSet(path));
        QVERIFY(!SetArchiveAttribute(path));
    }

    // A FIFO holds no extended attribute; asking must neither hang nor pretend.
    void FifoDoesNotHang() {
        TempTree tree;
        const QString path = tree.PathOf(QStringLiteral("pipe"));
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        QVERIFY(ArchiveAttributeSet(path));
        int error = 0;
        QVERIFY(!ClearArchiveAttribute(path, &error));
        QVERIFY(error != ErrNone);
        QVERIFY(SetArchiveAttribute(path));
    }
};

QTEST_GUILESS_MAIN(TestAttributes)
#include "tst_attributes.moc"
