#include "platform.h"
#include "temptree.h"

#include <QFile>
#include <QTest>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

using namespace platform;

class TestFileErrors : public QObject {
    Q_OBJECT

private slots:
    void SystemErrorMapped_data() {
        QTest::addColumn<int>("systemError");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("text");
        QTest::newRow("ENOENT") << ENOENT << 53 << "Error was : 53. File not found";
        QTest::newRow("ENOSPC") << ENOSPC << 61 << "Error was : 61. Disk full";
        QTest::newRow("EACCES") << EACCES << 70 << "Error was : 70. Permission denied";
        QTest::newRow("ENOTDIR") << ENOTDIR << 76 << "Error was : 76. Path not found";
        QTest::newRow("EIO") << EIO << 57 << "Error was : 57. Device I/O error";
        QTest::newRow("ENOTSUP") << ENOTSUP << 75 << "Error was : 75. Path/File access error";
    }
    void SystemErrorMapped() {
        QFETCH(int, systemError);
        QFETCH(int, expected);
        QFETCH(QString, text);
        QCOMPARE(FileErrorFromSystem(systemError), expected);
        QCOMPARE(ErrorWasText(FileErrorFromSystem(systemError)), text);
    }

    // Real failed calls give the number through errno.
    void FailedOpenReported_data() {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<int>("expected");
        QTest::newRow("missing file") << "missing.txt" << int(ErrFileNotFound);
        QTest::newRow("file used as directory") << "plain.txt/inner.txt" << int(ErrPathNotFound);
    }
    void FailedOpenReported() {
        QFETCH(QString, relative);
        QFETCH(int, expected);
        TempTree tree({QStringLiteral("plain.txt=x")});
        const QByteArray path = QFile::encodeName(tree.PathOf(relative));
        QCOMPARE(::open(path.constData(), O_RDONLY), -1);
        QCOMPARE(LastFileError(), expected);
        int error = 0;
        QCOMPARE(FileLength64(tree.PathOf(relative), &error), qint64(-1));
        QCOMPARE(error, expected);
    }

    void LengthOfRealFile() {
        TempTree tree({QStringLiteral("data.bin:70000")});
        int error = -1;
        QCOMPARE(FileLength64(tree.PathOf(QStringLiteral("data.bin")), &error), qint64(70000));
        QCOMPARE(error, int(ErrNone));
    }
};

QTEST_GUILESS_MAIN(TestFileErrors)
#include "tst_fileerrors.moc"
