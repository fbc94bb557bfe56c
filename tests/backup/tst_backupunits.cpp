// The rules a run applies to single values: the cluster rule, the largest-first sort, the
// limits of a path on the media, the substitute names and which files get zipped.

#include "mergesort.h"
#include "programspace.h"
#include "sizerules.h"
#include "targetpath.h"
#include "temptree.h"
#include "zipdecision.h"
#include "zipper.h"

#include <QTest>

class TestBackupUnits : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void clusterRule_data() {
        QTest::addColumn<double>("length");
        QTest::addColumn<double>("cluster");
        QTest::addColumn<double>("bytes");
        QTest::newRow("empty file takes nothing") << 0.0 << 2048.0 << 0.0;
        QTest::newRow("one byte takes a cluster") << 1.0 << 2048.0 << 2048.0;
        QTest::newRow("four clusters take five") << 8192.0 << 2048.0 << 10240.0;
        QTest::newRow("just over three clusters") << 6145.0 << 2048.0 << 8192.0;
        QTest::newRow("odd cluster size") << 2041.0 << 2041.0 << 4082.0;
    }
    void clusterRule() {
        QFETCH(double, length);
        QFETCH(double, cluster);
        QFETCH(double, bytes);
        QCOMPARE(ClusterBytes(length, cluster), bytes);
        QCOMPARE(SizeOnDiskKB(length, cluster), bytes / 1024);
    }

    void wholeKilobytesRoundHalfToEven_data() {
        QTest::addColumn<double>("length");
        QTest::addColumn<double>("cluster");
        QTest::addColumn<double>("kilobytes");
        QTest::newRow("half rounds down to even") << 1.0 << 512.0 << 0.0;    // 0.5 KB
        QTest::newRow("one and a half rounds up") << 1025.0 << 512.0 << 2.0; // 1.5 KB
        QTest::newRow("two and a half rounds down") << 2049.0 << 512.0 << 2.0;
        QTest::newRow("missing file takes nothing") << -1.0 << 2048.0 << 0.0;
    }
    void wholeKilobytesRoundHalfToEven() {
        QFETCH(double, length);
        QFETCH(double, cluster);
        QFETCH(double, kilobytes);
        QCOMPARE(SizeOnDiskWholeKB(length, cluster), kilobytes);
    }

    void programSpace_data() {
        QTest::addColumn<double>("iniBytes");
        QTest::addColumn<double>("cluster");
        QTest::addColumn<double>("space");
        // Two program files of 3000 and 100 bytes.
        // 2048: 1.5 * 6 + 4 + 2 = 15, down to whole clusters 14, plus 28.
        QTest::newRow("CD clusters") << 5000.0 << 2048.0 << 14.0 + 28;
        // 16384: 1.5 * 16 + 16 + 16 = 56, down to 48, plus 224.
        QTest::newRow("hard disk clusters") << 5000.0 << 16384.0 << 48.0 + 224;
        // 512: 1.5 * 4 (4.5 half to even) + 3 + 0 (0.5 half to even) = 9, plus 7.
        QTest::newRow("small clusters") << 4097.0 << 512.0 << 9.0 + 7;
        QTest::newRow("no information file yet") << -1.0 << 2048.0 << 6.0 + 28;
    }
    void programSpace() {
        QFETCH(double, iniBytes);
        QFETCH(double, cluster);
        QFETCH(double, space);
        TempTree tree({"prog/a:3000", "prog/b:100"});
        const QList<ProgramFile> files = {
            {"a", tree.PathOf("prog/a")}, {"b", tree.PathOf("prog/b")}, {"gone", QString()}};
        QCOMPARE(ProgramSpaceKB(iniBytes, cluster, files), space);
    }

    void sortIsLargestFirst_data() {
        QTest::addColumn<int>("count");
        QTest::newRow("selection sort range") << 13;
        QTest::newRow("exactly fourteen merges") << 14;
        QTest::newRow("many") << 1000;
    }
    void sortIsLargestFirst() {
        QFETCH(int, count);
        QList<FileRecord> files;
        BackupFiles work(count);
        for (int i = 0; i < count; ++i) {
            FileRecord f;
            f.Name = QString::number(i);
            files.append(f);
            work[i].SizeKB = double((i * 7919) % 101);
        }
        MergeSortFiles(files, work, 0, count - 1);
        QCOMPARE(files.size(), qsizetype(count));
        QSet<QString> names;
        for (int i = 0; i < count; ++i) {
            QVERIFY2(i == 0 || work[i - 1].SizeKB >= work[i].SizeKB,
                     qPrintable(QString::number(i)));
            // Each record stays beside the run's record it came with.
            QCOMPARE(work[i].SizeKB, double((files[i].Name.toInt() * 7919) % 101));
            names.insert(files[i].Name);
        }
        QCOMPARE(names.size(), qsizetype(count)); // whole records moved, none lost
    }

    // Among equal sizes: fourteen files split into 0..6 and 7..13, the merge takes the second
    // run first; three in one selection range, "c" swaps "a" out of its place.
    void orderAmongEqualSizes_data() {
        QTest::addColumn<QList<double>>("sizes");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("merge") << QList<double>(14, 5)
                               << QStringList({"7", "8", "9", "10", "11", "12", "13", "0", "1", "2",
                                               "3", "4", "5", "6"});
        QTest::newRow("selection") << QList<double>({1, 1, 2}) << QStringList({"2", "1", "0"});
    }
    void orderAmongEqualSizes() {
        QFETCH(QList<double>, sizes);
        QFETCH(QStringList, order);
        QList<FileRecord> files;
        BackupFiles work(sizes.size());
        for (int i = 0; i < sizes.size(); ++i) {
            FileRecord f;
            f.Name = QString::number(i);
            files.append(f);
            work[i].SizeKB = sizes[i];
        }
        MergeSortFiles(files, work, 0, int(files.size()) - 1);
        QStringList names;
        for (const FileRecord &f : files)
            names.append(f.Name);
        QCOMPARE(names, order);
    }

    void usableTargets_data() {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("targetDirLength");
        QTest::addColumn<bool>("usable");
        const QString c63 = QString(63, QLatin1Char('c'));
        QTest::newRow("plain") << "home/a/"
                               << "a.txt" << 30 << true;
        QTest::newRow("component of 63 with separator is 64") << c63 + "/"
                                                              << "a" << 80 << false;
        QTest::newRow("component of 62 with separator") << c63.left(62) + "/"
                                                        << "a" << 80 << true;
        QTest::newRow("name of 64") << "d/" << QString(64, QLatin1Char('n')) << 80 << false;
        QTest::newRow("name of 63") << "d/" << QString(63, QLatin1Char('n')) << 80 << true;
        QTest::newRow("relative of 105") << QString("a/").repeated(52) + "b"
                                         << "x" << 150 << false;
        QTest::newRow("relative and name reach 105")
            << QString("a/").repeated(50) << "abcde" << 150 << false;
        QTest::newRow("relative and name at 104")
            << QString("a/").repeated(50) << "abcd" << 150 << true;
        QTest::newRow("semicolon") << "d/"
                                   << "a;b" << 20 << false;
        QTest::newRow("question mark") << "d/"
                                       << "a?b" << 20 << false;
        QTest::newRow("backslash") << "d/"
                                   << "a\\b" << 20 << false;
        QTest::newRow("full target 251") << "d/"
                                         << "abc" << 248 << false;
        QTest::newRow("full target 250") << "d/"
                                         << "abc" << 247 << true;
    }
    void usableTargets() {
        QFETCH(QString, relative);
        QFETCH(QString, name);
        QFETCH(int, targetDirLength);
        QFETCH(bool, usable);
        QCOMPARE(UsableTarget(relative, name, QString(targetDirLength, QLatin1Char('t'))), usable);
    }

    void substituteExtensions_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("extension");
        QTest::newRow("one letter") << "a.c"
                                    << ".cxx";
        QTest::newRow("three letters") << "a.doc"
                                       << ".doc";
        QTest::newRow("four letters") << "a.html"
                                      << ".txt";
        QTest::newRow("no dot short") << "abc"
                                      << ".abc";
        QTest::newRow("no dot long") << "abcd"
                                     << ".txt";
        QTest::newRow("ends in dot") << "a."
                                     << ".xxx";
        QTest::newRow("last dot counts") << "a.tar.gz"
                                         << ".gzx";
    }
    void substituteExtensions() {
        QFETCH(QString, name);
        QFETCH(QString, extension);
        QCOMPARE(SubstituteExtension(name), extension);
    }

    void zipDecision_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("useList");
        QTest::addColumn<bool>("zipped");
        QTest::newRow("text with list") << "a.txt" << true << true;
        QTest::newRow("picture upper case") << "photo.JPG" << true << false;
        QTest::newRow("archive") << "x.7z" << true << false;
        QTest::newRow("sound") << "s.flac" << true << false;
        QTest::newRow("no extension") << "README" << true << true;
        QTest::newRow("picture without list") << "photo.jpg" << false << true;
        QTest::newRow("extension inside another") << "a.jp" << true << true;
    }
    void zipDecision() {
        QFETCH(QString, name);
        QFETCH(bool, useList);
        QFETCH(bool, zipped);
        QCOMPARE(WorthZipping(name, useList), zipped);
    }

    void zipEstimate_data() {
        QTest::addColumn<double>("bytes");
        QTest::addColumn<qint64>("units");
        QTest::newRow("one megabyte") << 1048576.0 << qint64(30);
        QTest::newRow("one unit short of two") << 32768.0 << qint64(1);
        QTest::newRow("empty") << 0.0 << qint64(2);
        QTest::newRow("two units") << 65536.0 << qint64(0);
    }
    void zipEstimate() {
        QFETCH(double, bytes);
        QFETCH(qint64, units);
        QCOMPARE(ZipEstimateUnits(bytes), units);
    }
};

QTEST_GUILESS_MAIN(TestBackupUnits)
#include "tst_backupunits.moc"
