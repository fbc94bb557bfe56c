// The model: what a reset gives, new media, media descriptors and media counted per backup.

#include "model.h"
#include "platform.h"
#include "records.h"

#include <QTest>

class TestModel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { platform::SetProgramDirectory(QString()); }

    void resetEmptiesEverythingAndKeepsTheReminderDate() {
        platform::SetProgramDirectory(QStringLiteral("/opt/pellmoor/"));
        Model &m = TheModel();
        m.Settings.RemindFromDate = QDate(2026, 12, 8);
        m.Settings.MediaSize = 5;
        m.Files.append(MakeFile(QStringLiteral("/a/"), QStringLiteral("b"), {VersionRecord()}));
        m.IncludeAll.append(QStringLiteral("*.x"));
        ResetSettings();
        QCOMPARE(m.FilesLast(), -1);
        QCOMPARE(m.IncludeAllLast(), -1);
        QCOMPARE(m.MediaLast(), -1);
        QCOMPARE(m.Settings.MediaSize, 665600.0);
        QCOMPARE(m.Settings.ClusterSize, 2041.0);
        QCOMPARE(m.Settings.BackupInterval, -1);
        QCOMPARE(m.Settings.BackupDirectory, QStringLiteral("/opt/pellmoor/Backups/"));
        QCOMPARE(m.Settings.TempDirectory, QStringLiteral("/opt/pellmoor/Temp/"));
        QCOMPARE(m.Settings.RemindFromDate, QDate(2026, 12, 8));
        QVERIFY(!m.Settings.LastBackupDate.isValid());
    }

    void mediaDescriptors_data() {
        QTest::addColumn<QList<int>>("states"); // 0 available, 1 unavailable, 2 deleted
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<QString>("descriptor");
        QTest::newRow("all available") << QList<int>{0, 0, 0} << 0 << 2 << "";
        QTest::newRow("one unavailable") << QList<int>{0, 1, 0} << 0 << 2 << "*";
        QTest::newRow("deleted wins") << QList<int>{1, 2, 0} << 0 << 2 << "D";
        QTest::newRow("outside the range") << QList<int>{2, 0, 0} << 1 << 2 << "";
        QTest::newRow("last beyond the last medium") << QList<int>{0, 1, 2} << 1 << 3 << "";
        QTest::newRow("last before first") << QList<int>{1, 1, 1} << 2 << 1 << "";
        QTest::newRow("first before the first medium") << QList<int>{1, 0} << -1 << 1 << "";
    }
    void mediaDescriptors() {
        QFETCH(QList<int>, states);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(QString, descriptor);
        ResetSettings();
        for (int state : states) {
            IncMedia();
            TheModel().Media.last().Available = state == 0;
            TheModel().Media.last().Deleted = state == 2;
        }
        QCOMPARE(MediaDescriptor(first, last), descriptor);
    }

    void newMediaBelongToTheLatestBackupAndAreCounted() {
        ResetSettings();
        Model &m = TheModel();
        m.Backups.append(BackupRecord());
        IncMedia();
        IncMedia();
        m.Backups.append(BackupRecord());
        m.Backups.last().FirstMedium = 2;
        IncMedia();
        QCOMPARE(m.Media[1].BackupIndex, 0);
        QCOMPARE(m.Media[2].BackupIndex, 1);
        QVERIFY(m.Media[2].Available);
        QCOMPARE(MediaCountOfBackup(0), 2);
        QCOMPARE(MediaCountOfBackup(1), 1);
    }

    void defaultStoredNameIsTheRelativePath() {
        const FileRecord f = MakeFile(QStringLiteral("/home/ann/"), QStringLiteral("a.txt"));
        QCOMPARE(f.DefaultStoredName(), QStringLiteral("home/ann/a.txt"));
        const FileRecord root = MakeFile(QStringLiteral("/"), QStringLiteral("a.txt"));
        QCOMPARE(root.DefaultStoredName(), QStringLiteral("a.txt"));
    }
};

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
