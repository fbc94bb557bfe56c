// The statistics over the backup history: counts, the cluster rule per backup, zipped sums,
// two-decimal cutting and the figures that have nothing to divide by.

#include "model.h"
#include "statistics.h"

#include <QTest>

namespace {

struct Copy {
    double sizeKB;
    int backup;
    double zippedKB = -1; // -1: stored plain
};

// One file a list of copies; clusters gives one backup per entry with that cluster size.
Model HistoryOf(const QList<QList<Copy>> &files, const QList<double> &clusters) {
    Model model;
    for (double cluster : clusters) {
        BackupRecord backup;
        backup.ClusterSize = cluster;
        model.Backups.append(backup);
    }
    int n = 0;
    for (const QList<Copy> &copies : files) {
        FileRecord file;
        file.Path = QStringLiteral("/data/");
        file.Name = QStringLiteral("f%1").arg(n++);
        for (const Copy &copy : copies) {
            VersionRecord version;
            version.Size = copy.sizeKB;
            version.BackupIndex = copy.backup;
            version.Zipped = copy.zippedKB >= 0;
            version.ZippedSize = version.Zipped ? copy.zippedKB : 0;
            file.Versions.append(version);
        }
        model.Files.append(file);
    }
    return model;
}

// The value after the colon of the report line that starts with label.
QString Figure(const QString &report, const QString &label) {
    for (const QString &line : report.split(QStringLiteral("\r\n")))
        if (line.trimmed().startsWith(label))
            return line.mid(line.indexOf(QLatin1String(" : ")) + 3);
    return QStringLiteral("<missing>");
}

} // namespace

class TestStatistics : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void threeFilesBackedUpTwoOneAndOneTimes() {
        const Model model = HistoryOf({{{1, 0}, {1, 1}}, {{1, 0}}, {{1, 1}}}, {2048, 2048});
        const Statistics stats = WorkOutStatistics(model);
        QCOMPARE(stats.Files, 3);
        QCOMPARE(stats.TotalVersions, 4);
        QCOMPARE(stats.ExcessVersions(), 1);
        const QString report = StatisticsReport(stats);
        QCOMPARE(Figure(report, QStringLiteral("Files Backed Up")), QStringLiteral("3"));
        QCOMPARE(Figure(report, QStringLiteral("Total Files Backed Up")), QStringLiteral("4"));
        QCOMPARE(Figure(report, QStringLiteral("Excess Files Backed Up")), QStringLiteral("1"));
        QCOMPARE(Figure(report, QStringLiteral("Average Times A File Is Backed Up")),
                 QStringLiteral("1.33"));
        QCOMPARE(Figure(report, QStringLiteral("Average Files Per Backup")), QStringLiteral("2"));
    }

    void sizeOnDiskByTheClusterRule_data() {
        QTest::addColumn<double>("bytes");
        QTest::addColumn<double>("cluster");
        QTest::addColumn<double>("kilobytes");
        QTest::newRow("part of one cluster") << 100.0 << 2048.0 << 2.0;
        QTest::newRow("exact multiple gets one more") << 4096.0 << 2048.0 << 6.0;
        QTest::newRow("empty copy takes nothing") << 0.0 << 2048.0 << 0.0;
        QTest::newRow("no cluster size") << 3000.0 << 0.0 << 3000.0 / 1024;
    }
    void sizeOnDiskByTheClusterRule() {
        QFETCH(double, bytes);
        QFETCH(double, cluster);
        QFETCH(double, kilobytes);
        QCOMPARE(StatisticsSizeOnDiskKB(bytes, cluster), kilobytes);
    }

    void eachCopyUsesTheClusterSizeOfItsBackup() {
        // 3 KB on 2 KB clusters takes 4 KB; on 16 KB clusters 16 KB.
        const Model model = HistoryOf({{{3, 0}, {3, 1}}}, {2048, 16384});
        const Statistics stats = WorkOutStatistics(model);
        QCOMPARE(stats.TotalSize, 6.0);
        QCOMPARE(stats.TotalSizeOnDisk, 20.0);
    }

    void zippedCopiesAreSummedApart() {
        // 100 KB zipped to 25 KB, and 50 KB stored plain; clusters of 1 KB.
        const Model model = HistoryOf({{{100, 0, 25}}, {{50, 0}}}, {1024});
        const Statistics stats = WorkOutStatistics(model);
        QCOMPARE(stats.ZippedVersions, 1);
        QCOMPARE(stats.TotalZippedSize, 25.0);
        QCOMPARE(stats.TotalZippedSizeOnDisk, 26.0);
        QCOMPARE(stats.UnzippedSizeOfZipped, 100.0);
        QCOMPARE(stats.UnzippedSizeOnDiskOfZipped, 101.0);
        const QString report = StatisticsReport(stats);
        QCOMPARE(Figure(report, QStringLiteral("Total Size")), QStringLiteral("150 KB"));
        QCOMPARE(Figure(report, QStringLiteral("Total Size On Disk")), QStringLiteral("152 KB"));
        QCOMPARE(Figure(report, QStringLiteral("Total Zipped Size")), QStringLiteral("25 KB"));
        QCOMPARE(Figure(report, QStringLiteral("Percent Of Files Zipped")), QStringLiteral("50%"));
        QCOMPARE(Figure(report, QStringLiteral("Percent Of Space Saved")), QStringLiteral("75%"));
        // 1 - 26 / 101 = 74.257...%
        QCOMPARE(Figure(report, QStringLiteral("Percent Of Space Saved On Disk")),
                 QStringLiteral("74.25%"));
        QCOMPARE(Figure(report, QStringLiteral("Average File Size")), QStringLiteral("75 KB"));
        QCOMPARE(Figure(report, QStringLiteral("Average Size On Disk")), QStringLiteral("76 KB"));
    }

    void twoDecimalsAreCutNotRounded_data() {
        QTest::addColumn<double>("numerator");
        QTest::addColumn<double>("denominator");
        QTest::addColumn<double>("factor");
        QTest::addColumn<QString>("text");
        QTest::newRow("two thirds") << 2.0 << 3.0 << 1.0 << "0.66";
        QTest::newRow("one third percent") << 1.0 << 3.0 << 100.0 << "33.33";
        QTest::newRow("29 of 100 is not 28.99") << 29.0 << 100.0 << 100.0 << "29";
        QTest::newRow("negative cut toward zero") << -2.0 << 3.0 << 1.0 << "-0.66";
        QTest::newRow("divide by zero") << 1.0 << 0.0 << 1.0 << "---";
    }
    void twoDecimalsAreCutNotRounded() {
        QFETCH(double, numerator);
        QFETCH(double, denominator);
        QFETCH(double, factor);
        QFETCH(QString, text);
        QCOMPARE(TwoDecimalText(numerator, denominator, factor), text);
    }

    void emptyHistoriesDivideByNothing_data() {
        QTest::addColumn<QList<QList<Copy>>>("files");
        QTest::addColumn<QList<double>>("clusters");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("figure");
        const QList<QList<Copy>> none;
        const QList<QList<Copy>> oneEmptyFile = {{}};
        const QList<QList<Copy>> onePlainCopy = {{{10, 0}}};
        QTest::newRow("no files: count") << none << QList<double>{} << "Files Backed Up"
                                         << "0";
        QTest::newRow("no files: average times")
            << none << QList<double>{} << "Average Times A File Is Backed Up"
            << "---";
        QTest::newRow("no files: average size") << none << QList<double>{} << "Average File Size"
                                                << "---";
        QTest::newRow("no versions: percent zipped")
            << oneEmptyFile << QList<double>{2048} << "Percent Of Files Zipped"
            << "---";
        QTest::newRow("no versions: average times")
            << oneEmptyFile << QList<double>{2048} << "Average Times A File Is Backed Up"
            << "0";
        QTest::newRow("no backups: per backup")
            << onePlainCopy << QList<double>{} << "Average Files Per Backup"
            << "---";
        QTest::newRow("no zipped copies: space saved")
            << onePlainCopy << QList<double>{2048} << "Percent Of Space Saved"
            << "---";
        QTest::newRow("no zipped copies: percent zipped")
            << onePlainCopy << QList<double>{2048} << "Percent Of Files Zipped"
            << "0%";
    }
    void emptyHistoriesDivideByNothing() {
        QFETCH(QList<QList<Copy>>, files);
        QFETCH(QList<double>, clusters);
        QFETCH(QString, label);
        QFETCH(QString, figure);
        const QString report = StatisticsReport(WorkOutStatistics(HistoryOf(files, clusters)));
        QCOMPARE(Figure(report, label), figure);
    }

    void reportLinesUpItsColonsBelowFiftyCarriageReturns() {
        const QString report = StatisticsReport(WorkOutStatistics(HistoryOf({{{1, 0}}}, {2048})));
        QVERIFY(report.startsWith(QString(50, QLatin1Char('\r')) + QLatin1String("Files")));
        const QStringList lines = report.mid(50).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 17);
        for (int i : {3, 8, 12})
            QCOMPARE(lines[i], QString());
        for (const QString &line : lines)
            if (!line.isEmpty())
                QCOMPARE(line.indexOf(QLatin1String(" : ")), 33);
    }
};

QTEST_GUILESS_MAIN(TestStatistics)
#include "tst_statistics.moc"
