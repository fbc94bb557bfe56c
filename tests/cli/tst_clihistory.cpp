// pellmoor details and pellmoor stats on small information files: what the details window lists
// and what the diagnostics window works out, as plain text.

#include "clirun.h"
#include "datetext.h"

#include <QFile>
#include <QTest>

namespace {

// Two backups: one on medium 1, one on media 2 and 3, of which 2 is unavailable and 3 deleted.
// b.doc has a plain copy on medium 1 and a zipped copy spanning media 2 and 3.
const QByteArray History = "V|8|1|1|0|0|2|-1|665600|2048|0|CD|2026-11-08|0|1|1|-1|-1|/srv/b/\r\n"
                           "/srv/t/\r\n"
                           "1|*.*|/home/ann\r\n"
                           "0|0|0|665600|2048|0|CD|01/11/2026||0|0\r\n"
                           "/home/ann|\r\n"
                           "0|0|1|665600|2048|0|CD|08/11/2026||1|0\r\n"
                           "/home/ann|\r\n"
                           "b.doc|1|/home/ann\r\n"
                           "0|1|0|False|0|0|\r\n"
                           "1|3000|1|True|1|1|1000|\r\n"
                           "A.txt|0|/home/ann/docs\r\n"
                           "0|0.5|0|False|0|0|\r\n"
                           "\r\n"
                           "1|0|0|0|1|0|0|1|1|\r\n";

// Settings, directories and nothing backed up yet.
const QByteArray NoHistory = "V|8|1|1|1|0|-1|-1|-1|16384|5|HDD|00:00:00|0|-1|-1|-1|-1|/srv/b/\r\n"
                             "/srv/t/\r\n"
                             "1|*.*|/home/ann\r\n"
                             "\r\n"
                             "\r\n";

// Runs the command on the row's file and compares its whole output.
void Report(const QString &command) {
    QFETCH(QByteArray, file);
    QFETCH(QString, expected);
    TempTree tree;
    tree.Write(QStringLiteral("Backup.Ini"), file);
    const Run run =
        Pellmoor({command, QStringLiteral("--ini"), tree.PathOf(QStringLiteral("Backup.Ini"))});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out, expected);
}

} // namespace

class TestCliHistory : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void details_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two backups")
            << History
            << QStringLiteral("Last Backup : ") + ShortDateText(QDate(2026, 11, 8)) +
                   QStringLiteral(
                       "\nTotal Media Used : 3\n"
                       "\n"
                       "Backups :\n"
                       "B1. 01/11/2026\n"
                       "  Media Name : CD, Media Size : 650 MB, Write Method : One By One, Fresh "
                       "Backup Point : No\n"
                       "- B1.M1 - CD1\n"
                       "B2. 08/11/2026\n"
                       "  Media Name : CD, Media Size : 650 MB, Write Method : One By One, Fresh "
                       "Backup Point : Yes\n"
                       "- *B2.M2 - CD2 Of 2 To 3\n"
                       "- DB2.M3 - CD3 Of 2 To 3\n"
                       "\n"
                       "Files :\n"
                       "1. A.txt - /home/ann/docs/ - Times Backed Up : 1\n"
                       "   1. 01/11/2026, First Media 1, On Media 1, Size : 512 B\n"
                       "2. b.doc - /home/ann/ - Times Backed Up : 2\n"
                       "   1. 01/11/2026, First Media 1, On Media 1, Size : 1 KB\n"
                       "   2. D08/11/2026, First Media 2, On Media 2-3, Size : 2.92 MB, Zipped : "
                       "1000 KB\n");
        QTest::newRow("nothing backed up yet")
            << NoHistory
            << QStringLiteral("Last Backup : Never\nTotal Media Used : None\n\nBackups :\n\n"
                              "Files :\n");
    }
    void details() { Report(QStringLiteral("details")); }

    void stats_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("expected");
        // Copies of 1, 3000 and 0.5 KB in clusters of 2 KB take 2, 3002 and 2 KB; the zipped
        // copy takes 1000 KB, 1002 KB on disk.
        QTest::newRow("two backups")
            << History
            << QStringLiteral("Files Backed Up                   : 2\n"
                              "Total Files Backed Up             : 3\n"
                              "Excess Files Backed Up            : 1\n"
                              "\n"
                              "Total Size                        : 2.93 MB\n"
                              "Total Size On Disk                : 2.93 MB\n"
                              "Total Zipped Size                 : 1000 KB\n"
                              "Total Zipped Size On Disk         : 1002 KB\n"
                              "\n"
                              "Percent Of Files Zipped           : 33.33%\n"
                              "Percent Of Space Saved            : 66.66%\n"
                              "Percent Of Space Saved On Disk    : 66.62%\n"
                              "\n"
                              "Average Times A File Is Backed Up : 1.5\n"
                              "Average File Size                 : 1.46 MB\n"
                              "Average Size On Disk              : 1.46 MB\n"
                              "Average Files Per Backup          : 1.5\n");
        // Nothing to divide by: no figure is made up.
        QTest::newRow("nothing backed up yet")
            << NoHistory
            << QStringLiteral("Files Backed Up                   : 0\n"
                              "Total Files Backed Up             : 0\n"
                              "Excess Files Backed Up            : 0\n"
                              "\n"
                              "Total Size                        : 0 B\n"
                              "Total Size On Disk                : 0 B\n"
                              "Total Zipped Size                 : 0 B\n"
                              "Total Zipped Size On Disk         : 0 B\n"
                              "\n"
                              "Percent Of Files Zipped           : ---\n"
                              "Percent Of Space Saved            : ---\n"
                              "Percent Of Space Saved On Disk    : ---\n"
                              "\n"
                              "Average Times A File Is Backed Up : ---\n"
                              "Average File Size                 : ---\n"
                              "Average Size On Disk              : ---\n"
                              "Average Files Per Backup          : ---\n");
    }
    void stats() { Report(QStringLiteral("stats")); }

    void missingFileIsReportedNeverCreated_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("details") << QStringLiteral("details");
        QTest::newRow("stats") << QStringLiteral("stats");
    }
    void missingFileIsReportedNeverCreated() {
        QFETCH(QString, command);
        TempTree tree;
        const QString missing = tree.PathOf(QStringLiteral("Backup.Ini"));
        const Run run = Pellmoor({command, QStringLiteral("--ini"), missing});
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.startsWith(QStringLiteral("Ini file was not found!")));
        QCOMPARE(run.out, QString());
        QVERIFY(!QFile::exists(missing));
    }
};

QTEST_GUILESS_MAIN(TestCliHistory)
#include "tst_clihistory.moc"
