// What the details window computes before it shows anything: the order of the files and which
// files the search boxes let through.

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
};

QTEST_GUILESS_MAIN(TestDetailsLogic)
#include "tst_detailslogic.moc"
