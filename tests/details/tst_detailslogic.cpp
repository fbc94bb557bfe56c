// What the details window computes before it shows anything: the order of the files, which
// files the search boxes let through, and the texts of its detail labels.

#include "detailstext.h"
#include "fileorder.h"
#include "filesearch.h"
#include "historymodel.h"

#include <QTest>

namespace {

QStringList SortedNames(const QStringList &names, int *merges = nullptr) {
    HistoryModel history;
    for (const QString &name : names)
        history.AddFile(QStringLiteral("/data/"), name);
    FileSorter sorter(TheModel());
    sorter.MergeSortFiles(0, TheModel().FilesLast());
    if (merges)
        *merges = sorter.Merges();
    QStringList sorted;
    for (int file : sorter.Order())
        sorted.append(TheModel().Files[file].Name);
    return sorted;
}

// Names in a scrambled order: a ... z with every third one in upper case.
QStringList Scrambled(int count) {
    QStringList names;
    for (int i = 0; i < count; ++i) {
        QString name =
            QStringLiteral("file%1.txt").arg((i * 7919) % count, 5, 10, QLatin1Char('0'));
        if (i % 3 == 0)
            name = name.toUpper();
        names.append(name);
    }
    return names;
}

} // namespace

class TestDetailsLogic : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void filesSortByNameWithoutRegardToCase_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<bool>("merged");
        QTest::newRow("no files") << QStringList() << false;
        QTest::newRow("one file") << QStringList{QStringLiteral("b")} << false;
        QTest::newRow("13 files, selection only") << Scrambled(13) << false;
        QTest::newRow("14 files, merged") << Scrambled(14) << true;
        QTest::newRow("1000 files") << Scrambled(1000) << true;
        QTest::newRow("already sorted") << QStringList{"a", "b", "c", "d", "e", "f", "g", "h",
                                                       "i", "j", "k", "l", "m", "n", "o"}
                                        << true;
        QTest::newRow("reversed") << QStringList{"o", "n", "m", "l", "k", "j", "i", "h",
                                                 "g", "f", "e", "d", "c", "b", "a"}
                                  << true;
        // Letters beyond code 255 rank above the sentinel's text; the merge must not run past
        // the end of a run because of them.
        QTest::newRow("letters beyond code 255") << QStringList{QStringLiteral("отчёт.doc"),
                                                                "b",
                                                                QStringLiteral("日記.txt"),
                                                                "a",
                                                                QStringLiteral("ÿ.txt"),
                                                                "c",
                                                                QStringLiteral("Ωmega"),
                                                                "d",
                                                                "e",
                                                                "f",
                                                                "g",
                                                                QStringLiteral("Ärger"),
                                                                "h",
                                                                QStringLiteral("яблоко"),
                                                                "i"}
                                                 << true;
    }
    void filesSortByNameWithoutRegardToCase() {
        QFETCH(QStringList, names);
        QFETCH(bool, merged);
        int merges = -1;
        const QStringList sorted = SortedNames(names, &merges);
        QCOMPARE(merges > 0, merged);
        QStringList expected = names;
        std::stable_sort(expected.begin(), expected.end(), [](const QString &a, const QString &b) {
            return a.toLower() < b.toLower();
        });
        QStringList sortedKeys, expectedKeys;
        for (const QString &name : sorted)
            sortedKeys.append(name.toLower());
        for (const QString &name : expected)
            expectedKeys.append(name.toLower());
        QCOMPARE(sortedKeys, expectedKeys);
        QStringList sameNames = sorted;
        sameNames.sort();
        expected.sort();
        QCOMPARE(sameNames, expected);
    }

    void namesDifferingInCaseStandTogether() {
        const QStringList sorted =
            SortedNames({"report.doc", "a", "Report.doc", "b", "c", "REPORT.DOC", "d", "e", "f",
                         "reporter.doc", "g", "h", "RePort.doc", "i", "report.do"});
        QList<qsizetype> places;
        for (const char *name : {"report.doc", "Report.doc", "REPORT.DOC", "RePort.doc"})
            places.append(sorted.indexOf(QString::fromLatin1(name)));
        std::sort(places.begin(), places.end());
        QCOMPARE(places.last() - places.first(), 3);
        QCOMPARE(sorted.indexOf(QStringLiteral("report.do")), places.first() - 1);
        QCOMPARE(sorted.indexOf(QStringLiteral("reporter.doc")), places.last() + 1);
    }

    void midPointTakesAnExactHalfToTheEvenNeighbour_data() {
        QTest::addColumn<int>("lo");
        QTest::addColumn<int>("hi");
        QTest::addColumn<int>("mid");
        QTest::newRow("0 14") << 0 << 14 << 7;
        QTest::newRow("0 13: 6.5") << 0 << 13 << 6;
        QTest::newRow("0 15: 7.5") << 0 << 15 << 8;
        QTest::newRow("3 16: 9.5") << 3 << 16 << 10;
        QTest::newRow("4 17: 10.5") << 4 << 17 << 10;
    }
    void midPointTakesAnExactHalfToTheEvenNeighbour() {
        QFETCH(int, lo);
        QFETCH(int, hi);
        QFETCH(int, mid);
        QCOMPARE(MidPoint(lo, hi), mid);
    }

    void searchBoxes_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("fileBox");
        QTest::addColumn<QString>("extBox");
        QTest::addColumn<bool>("shown");
        QTest::newRow("empty boxes") << "report.doc"
                                     << ""
                                     << "" << true;
        QTest::newRow("README with an extension") << "README"
                                                  << ""
                                                  << "txt" << true;
        QTest::newRow("README with both") << "README"
                                          << "read"
                                          << "zzz" << true;
        QTest::newRow("README, name not in it") << "README"
                                                << "write"
                                                << "txt" << false;
        QTest::newRow("name part, any case") << "Report.doc"
                                             << "pOR"
                                             << "" << true;
        QTest::newRow("name part is not the extension") << "report.doc"
                                                        << "doc"
                                                        << "" << false;
        QTest::newRow("extension part") << "report.doc"
                                        << ""
                                        << "O" << true;
        QTest::newRow("extension not there") << "report.doc"
                                             << ""
                                             << "xls" << false;
        QTest::newRow("last dot splits") << "archive.tar.gz"
                                         << ""
                                         << "tar" << false;
        QTest::newRow("before the last dot") << "archive.tar.gz"
                                             << "tar"
                                             << "gz" << true;
        QTest::newRow("dot file has only an extension") << ".bashrc"
                                                        << "bash"
                                                        << "" << false;
        QTest::newRow("dot file extension") << ".bashrc"
                                            << ""
                                            << "bash" << true;
        QTest::newRow("boxes are trimmed") << "report.doc"
                                           << "  rep "
                                           << " doc " << true;
        QTest::newRow("spaces only is empty") << "report.doc"
                                              << "   "
                                              << "" << true;
    }
    void searchBoxes() {
        QFETCH(QString, name);
        QFETCH(QString, fileBox);
        QFETCH(QString, extBox);
        QFETCH(bool, shown);
        HistoryModel history;
        history.AddFile(QStringLiteral("/data/"), name);
        FileSearch search;
        search.Build(TheModel(), {0});
        search.Apply(fileBox, extBox);
        QCOMPARE(search.Entries().front().visible, shown);
    }

    void aFreeSlotIsNeverShown() {
        HistoryModel history;
        history.AddFile(QStringLiteral("/data/"), QString());
        FileSearch search;
        search.Build(TheModel(), {0});
        QVERIFY(!search.Entries().front().visible);
        search.Apply(QString(), QStringLiteral("x"));
        QVERIFY(!search.Entries().front().visible);
    }

    void backupDetails_data() {
        QTest::addColumn<int>("backup");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("none") << -1
                              << QStringList{
                                     "---", "---", "---", "---",         "---",
                                     "---", "---", "---", "First --- :", "Number Of ---s Used :"};
        QTest::newRow("beyond the last")
            << 3 << QStringList{"---", "---", "---", "---",         "---",
                                "---", "---", "---", "First --- :", "Number Of ---s Used :"};
        QTest::newRow("first of two")
            << 0 << QStringList{"1",      "01/11/2026", "1",  "CD",         "2",
                                "650 MB", "One By One", "No", "First CD :", "Number Of CDs Used :"};
        QTest::newRow("latest, no limit, XP way, fresh")
            << 1
            << QStringList{"2",        "02/11/2026", "3",   "HDD",         "3",
                           "No Limit", "XP Way",     "Yes", "First HDD :", "Number Of HDDs Used :"};
    }
    void backupDetails() {
        QFETCH(int, backup);
        QFETCH(QStringList, texts);
        HistoryModel history;
        history.AddBackup(QStringLiteral("01/11/2026"), 2);
        history.AddBackup(QStringLiteral("02/11/2026"), 3, QStringLiteral("HDD"));
        BackupRecord &latest = TheModel().Backups[1];
        latest.MediaSize = -1;
        latest.WriteXpWay = true;
        latest.FreshPoint = true;
        const BackupDetailTexts t = BackupDetails(backup);
        QCOMPARE((QStringList{t.number, t.date, t.first, t.mediaName, t.count, t.mediaSize,
                              t.writeMethod, t.fresh, t.firstCaption, t.countCaption}),
                 texts);
    }

    void copiesOfAFile_data() {
        QTest::addColumn<int>("medium");
        QTest::addColumn<int>("lastMedium");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QStringList>("details");
        QTest::newRow("one medium")
            << 0 << -1 << "report.doc, On Media 1" << QStringList{"1", "2 KB", "No", "0"};
        QTest::newRow("spanned") << 1 << 2 << "*report.doc, On Media 2-3"
                                 << QStringList{"*2", "2 KB", "Yes", "1"};
        QTest::newRow("spanned onto a deleted medium")
            << 2 << 3 << "*report.doc, On Media 3-4" << QStringList{"D3", "2 KB", "Yes", "1"};
    }
    void copiesOfAFile() {
        QFETCH(int, medium);
        QFETCH(int, lastMedium);
        QFETCH(QString, row);
        QFETCH(QStringList, details);
        HistoryModel history;
        history.AddBackup(QStringLiteral("01/11/2026"), 4);
        history.MarkUnavailable(1);
        history.MarkUnavailable(2);
        history.MarkUnavailable(3, true);
        const int file = history.AddFile(QStringLiteral("/data/"), QStringLiteral("report.doc"));
        history.AddVersion(file, 0, medium, 2, lastMedium);
        const FileRecord &record = TheModel().Files[file];
        QCOMPARE(BackupFileText(record, 0), row);
        const FileBackupTexts t = FileBackupDetails(&record, 0);
        QCOMPARE((QStringList{t.media, t.size, t.spanned, t.spanLength}), details);
    }

    void noCopyShowsDashes() {
        HistoryModel history;
        const int file = history.AddFile(QStringLiteral("/data/"), QStringLiteral("a"));
        const FileBackupTexts t = FileBackupDetails(&TheModel().Files[file], 0);
        QCOMPARE((QStringList{t.media, t.size, t.spanned, t.spanLength}),
                 (QStringList{"---", "---", "---", "---"}));
        const FileBackupTexts none = FileBackupDetails(nullptr, -1);
        QCOMPARE(none.media, QStringLiteral("---"));
    }
};

QTEST_GUILESS_MAIN(TestDetailsLogic)
#include "tst_detailslogic.moc"
