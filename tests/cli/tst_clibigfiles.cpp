// Files past the lengths a 32-bit count holds, backed up and restored whole: plain, spanned over
// small media and zipped. The files are sparse, with data at their start, middle and end, so
// they cost little disk and the copies keep them sparse.

#include "clirun.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>

namespace {

constexpr qint64 GiB = qint64(1) << 30;
const QString Restore = QStringLiteral("restored");

// The marks a big file holds: different bytes at its start, middle and end.
QList<qint64> MarkOffsets(qint64 length) {
    return {0, length / 2, length - 4096};
}

QByteArray Mark(qint64 offset) {
    return QByteArray::number(offset).repeated(4096).left(4096);
}

bool WriteSparse(const QString &path, qint64 length) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(length))
        return false;
    for (const qint64 offset : MarkOffsets(length)) {
        if (!file.seek(offset) || file.write(Mark(offset)) != 4096)
            return false;
    }
    return true;
}

// The disk the file takes, in bytes.
qint64 Allocated(const QString &path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? qint64(st.st_blocks) * 512 : -1;
}

} // namespace

class TestCliBigFiles : public QObject {
    Q_OBJECT

    EmptyDriveList drives;

private Q_SLOTS:
    void initTestCase() { QVERIFY(drives.IsValid()); }

    void backedUpAndRestoredWhole_data() {
        QTest::addColumn<qint64>("length");
        QTest::addColumn<QStringList>("backupArguments");
        QTest::addColumn<int>("media");
        const QStringList noLimit = {QStringLiteral("--media"), QStringLiteral("nolimit")};
        QTest::newRow("exactly 2 GiB") << 2 * GiB << noLimit << 1;
        QTest::newRow("exactly 4 GiB") << 4 * GiB << noLimit << 1;
        QTest::newRow("4 GiB and one byte") << 4 * GiB + 1 << noLimit << 1;
        QTest::newRow("5 GiB on one medium") << 5 * GiB << noLimit << 1;
        QTest::newRow("5 GiB spanned over media of 1 GiB")
            << 5 * GiB
            << QStringList{QStringLiteral("--media"), QStringLiteral("custom"),
                           QStringLiteral("--size"), QString::number(GiB / 1024)}
            << 6;
        // The smallest length a zip holds only with its 64-bit fields.
        QTest::newRow("4 GiB and one byte zipped")
            << 4 * GiB + 1 << (noLimit + QStringList{"--zip"}) << 1;
    }
    void backedUpAndRestoredWhole() {
        QFETCH(qint64, length);
        QFETCH(QStringList, backupArguments);
        QFETCH(int, media);
        BackupSetup setup;
        const QString big = setup.tree.PathOf(QStringLiteral("data/big.img"));
        QVERIFY(WriteSparse(big, length));

        const Run backup = setup.Backup(backupArguments);
        QVERIFY2(backup.status == 0, qPrintable(backup.err));
        for (int medium = 1; medium <= media; ++medium)
            QVERIFY(QFileInfo::exists(setup.tree.PathOf(
                QStringLiteral("backups/Backup001/MEDIA%1").arg(medium, 3, 10, QLatin1Char('0')))));
        QVERIFY(!QFileInfo::exists(setup.tree.PathOf(
            QStringLiteral("backups/Backup001/MEDIA%1").arg(media + 1, 3, 10, QLatin1Char('0')))));

        const Run restore =
            setup.Restore({QStringLiteral("--current"), QStringLiteral("--ini"), setup.Ini(),
                           QStringLiteral("--to"), setup.tree.PathOf(Restore)});
        QCOMPARE(restore.err, QString());
        QCOMPARE(restore.status, 0);
        const QString restored = setup.tree.PathOf(setup.Restored(Restore, "big.img"));
        QFile file(restored);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.size(), length);
        for (const qint64 offset : MarkOffsets(length)) {
            QVERIFY(file.seek(offset));
            QCOMPARE(file.read(4096), Mark(offset));
        }
        // Holes stay holes through the media and back.
        QVERIFY2(Allocated(restored) < 64 * 1024 * 1024,
                 qPrintable(QString::number(Allocated(restored))));
    }
};

QTEST_MAIN(TestCliBigFiles)
#include "tst_clibigfiles.moc"
