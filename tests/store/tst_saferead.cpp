// Reading what a medium or an import hands the program: only a regular file within its limit is
// read; a pipe, a device, a directory or a file past the limit is refused at once, unread.

#include "saferead.h"
#include "temptree.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <sys/stat.h>

class TestSafeRead : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void onlyARegularFileWithinItsLimitIsRead_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("reason");
        const QString notRegular =
            QStringLiteral("This is not a regular file, so it was not read:");
        QTest::newRow("regular file") << "file" << VersionFileReadLimit << 0 << QString();
        QTest::newRow("exactly at the limit") << "full" << MediaIdReadLimit << 0 << QString();
        QTest::newRow("sparse file past the limit")
            << "sparse" << InfoFileReadLimit << 75
            << QStringLiteral("This file is larger than 1 GiB, so it was not read:");
        QTest::newRow("pipe") << "pipe" << MediaIdReadLimit << 75 << notRegular;
        QTest::newRow("link to /dev/zero") << "zero" << PackageReadLimit << 75 << notRegular;
        QTest::newRow("directory") << "dir" << InfoFileReadLimit << 75 << notRegular;
        QTest::newRow("missing") << "missing" << InfoFileReadLimit << 53 << QString();
    }
    void onlyARegularFileWithinItsLimitIsRead() {
        QFETCH(QString, kind);
        QFETCH(qint64, limit);
        QFETCH(int, error);
        QFETCH(QString, reason);
        TempTree tree;
        const QString path = tree.PathOf(QStringLiteral("Backup.Ini"));
        QByteArray content;
        if (kind == QLatin1String("file"))
            content = "V|8|\r\n";
        else if (kind == QLatin1String("full"))
            content = TempTree::PseudoRandomBytes(limit, kind);
        if (!content.isEmpty())
            tree.Write(QStringLiteral("Backup.Ini"), content);
        if (kind == QLatin1String("sparse")) {
            QFile sparse(path);
            QVERIFY(sparse.open(QIODevice::WriteOnly) && sparse.resize(limit + 1));
        }
        if (kind == QLatin1String("pipe"))
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        if (kind == QLatin1String("zero"))
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
        if (kind == QLatin1String("dir"))
            QVERIFY(QDir().mkdir(path));

        QByteArray data = "left over";
        const SafeRead read = ReadRegularFile(path, limit, &data);
        QCOMPARE(read.error, error);
        QCOMPARE(read.reason, reason.isEmpty() ? reason : reason + QLatin1Char('\n') + path);
        QCOMPARE(data, content);
    }
};

QTEST_GUILESS_MAIN(TestSafeRead)
#include "tst_saferead.moc"
