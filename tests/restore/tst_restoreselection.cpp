// Choosing what to restore: name order, directories, the restore types, the filter and the
// refusals before a restore starts.

#include "model.h"
#include "restoreselection.h"
#include "temptree.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// Adds a file with one version per backup index given.
void AddFile(const QString &path, const QString &name, const QList<int> &backups) {
    FileRecord f;
    f.Path = path;
    f.Name = name;
    for (int b : backups) {
        VersionRecord v;
        v.BackupIndex = b;
        f.Versions.append(v);
    }
    TheModel().Files.append(f);
}

QStringList SortedNames(const RestoreSelection &selection) {
    QStringList names;
    for (int index : selection.SortedOrder())
        names.append(TheModel().Files[index].Name);
    return names;
}

} // namespace

class TestRestoreSelection : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        ResetSettings();
        TheModel().Backups.resize(3);
    }

    void filesAreListedByLowerCasedNameRegardlessOfDirectory() {
        AddFile(QStringLiteral("/z/"), QStringLiteral("b.txt"), {0});
        AddFile(QStringLiteral("/a/"), QStringLiteral("C.txt"), {0});
        AddFile(QStringLiteral("/m/"), QStringLiteral("a.txt"), {0});
        AddFile(QStringLiteral("/a/"), QStringLiteral("B2.txt"), {0});
        RestoreSelection selection{TheModel()};
        selection.Build();
        QCOMPARE(SortedNames(selection),
                 (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt"),
                              QStringLiteral("B2.txt"), QStringLiteral("C.txt")}));
        QCOMPARE(selection.Directories(), (QStringList{QStringLiteral("/a/"), QStringLiteral("/m/"),
                                                       QStringLiteral("/z/")}));
        QCOMPARE(selection.Directories()[selection.Files()[1].DirectoryIndex],
                 QStringLiteral("/a/"));
        QVERIFY(selection.DirectoryTree().FindFullNode([] {
            clsDirectory d;
            d.SetNiceDirName(QStringLiteral("/m/"));
            return d;
        }()));
    }

    void largeListsSortLikeAPlainSortOfTheKeys() {
        // Names above any one-byte sentinel (accented, CJK, emoji) must sort inside the list.
        const QStringList alphabet = {
            QStringLiteral("a"),  QStringLiteral("Z"),  QStringLiteral("é"), QStringLiteral("ÿ"),
            QStringLiteral("日"), QStringLiteral("本"), QStringLiteral("0"), QStringLiteral("_")};
        QRandomGenerator random(7);
        for (int i = 0; i < 20000; ++i) {
            QString name;
            for (int c = int(random.bounded(1, 6)); c > 0; --c)
                name += alphabet[int(random.bounded(alphabet.size()))];
            AddFile(QStringLiteral("/d%1/").arg(i % 37), name, {0});
        }
        RestoreSelection selection{TheModel()};
        QStringList stages;
        selection.Build([&stages](const QString &stage) { stages.append(stage); });
        // The captions come in order; between them only the running stage's dots, growing.
        const QStringList captions = {"Sorting ...", "Working", "Processing Directories ..."};
        QStringList seenCaptions;
        QString previous;
        for (const QString &stage : std::as_const(stages)) {
            if (captions.contains(stage)) {
                seenCaptions.append(stage);
            } else {
                QVERIFY2(stage.startsWith(seenCaptions.last().section(' ', 0, -2) + " ."),
                         qPrintable(stage));
                QVERIFY(stage.size() > previous.size() || !previous.endsWith('.'));
            }
            previous = stage;
        }
        QCOMPARE(seenCaptions, captions);
        QStringList keys;
        for (const FileRecord &f : TheModel().Files)
            keys.append(f.Name.toLower());
        std::sort(keys.begin(), keys.end());
        QStringList sortedKeys;
        QSet<int> seen;
        for (int index : selection.SortedOrder()) {
            sortedKeys.append(TheModel().Files[index].Name.toLower());
            seen.insert(index);
        }
        QCOMPARE(seen.size(), 20000);
        QCOMPARE(sortedKeys, keys);
        QCOMPARE(selection.Directories().size(), 37);
    }

    void directoriesDifferingInCaseStayApart() {
        AddFile(QStringLiteral("/a/X/"), QStringLiteral("1"), {0});
        AddFile(QStringLiteral("/a/x/"), QStringLiteral("2"), {0});
        RestoreSelection selection{TheModel()};
        selection.Build();
        QCOMPARE(selection.Directories().size(), 2);
        QVERIFY(selection.Files()[0].DirectoryIndex != selection.Files()[1].DirectoryIndex);
    }

    void restoreTypes_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<bool>("program");
        QTest::newRow("all with program") << 0 << true << true;
        QTest::newRow("all latest") << 1 << true << false;
        QTest::newRow("program only") << 2 << false << true;
    }
    void restoreTypes() {
        QFETCH(int, type);
        QFETCH(bool, ticked);
        QFETCH(bool, program);
        AddFile(QStringLiteral("/a/"), QStringLiteral("x"), {0, 1, 2});
        RestoreSelection selection{TheModel()};
        selection.Build();
        selection.Files()[0].UseVersion = 0;
        QCOMPARE(selection.ApplyRestoreType(type, !program), program);
        QCOMPARE(selection.Files()[0].Ticked, ticked);
        QCOMPARE(selection.Files()[0].UseVersion, 2);
        QCOMPARE(selection.NumberToRestore(), ticked ? 0 : -1);
        QCOMPARE(selection.NothingSelectedMessage(program).isEmpty(), true);
    }

    void filter_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("filename");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QList<int>>("backups");
        QTest::addColumn<bool>("dirTicked");
        QTest::addColumn<bool>("shown");
        const QList<int> first{0};
        QTest::newRow("no filter") << "a.doc"
                                   << ""
                                   << "" << first << true << true;
        QTest::newRow("base contains") << "Report.doc"
                                       << " port "
                                       << "" << first << true << true;
        QTest::newRow("base misses") << "Report.doc"
                                     << "xyz"
                                     << "" << first << true << false;
        QTest::newRow("extension matches") << "a.DOC"
                                           << ""
                                           << "doc" << first << true << true;
        QTest::newRow("no dot, box lower case") << "README"
                                                << ""
                                                << "doc" << first << true << false;
        QTest::newRow("no dot, box capitals") << "README"
                                              << ""
                                              << "DOC" << first << true << true;
        QTest::newRow("directory unticked") << "a.doc"
                                            << ""
                                            << "" << first << false << false;
        QTest::newRow("only deselected backups") << "a.doc"
                                                 << ""
                                                 << "" << QList<int>{2} << true << false;
        QTest::newRow("one selected backup") << "a.doc"
                                             << ""
                                             << "" << QList<int>{2, 1} << true << true;
        QTest::newRow("never stored") << "a.doc"
                                      << ""
                                      << "" << QList<int>{} << true << false;
    }
    void filter() {
        QFETCH(QString, name);
        QFETCH(QString, filename);
        QFETCH(QString, extension);
        QFETCH(QList<int>, backups);
        QFETCH(bool, dirTicked);
        QFETCH(bool, shown);
        AddFile(QStringLiteral("/docs/"), name, backups);
        RestoreSelection selection{TheModel()};
        selection.Build();
        RestoreFilter filter;
        filter.filename = filename;
        filter.extension = extension;
        filter.selectedBackups = {0, 1};
        filter.directoryTicked = [dirTicked](const QString &dir) {
            return dir == QLatin1String("/docs/") ? dirTicked : true;
        };
        const bool before = selection.Files()[0].Shown;
        QCOMPARE(selection.DoFilter2(filter), before != shown);
        QCOMPARE(selection.Files()[0].Shown, shown);
        QVERIFY(!selection.DoFilter2(filter)); // nothing changes the second time
    }

    void duplicateNamesAreRefusedWithoutDirectoryStructure() {
        AddFile(QStringLiteral("/a/"), QStringLiteral("Report.DOC"), {0});
        AddFile(QStringLiteral("/b/"), QStringLiteral("report.doc"), {0});
        AddFile(QStringLiteral("/c/"), QStringLiteral("unique.txt"), {0});
        RestoreSelection selection{TheModel()};
        selection.Build();
        selection.ApplyRestoreType(RestoreAllLatest, false);
        const QString message = selection.DuplicateNamesMessage();
        QVERIFY(message.startsWith(QStringLiteral("This file is duplicated :\n")));
        const QString listed = message.section(QLatin1Char('\n'), 1, 1);
        QVERIFY(listed == QLatin1String("Report.DOC") || listed == QLatin1String("report.doc"));
        QVERIFY(message.endsWith(QStringLiteral(
            "\nWhen restoring files without directory structure, duplicate files cannot be "
            "restored.\nPlease make sure ticked files are unique.")));

        AddFile(QStringLiteral("/d/"), QStringLiteral("unique.txt"), {0});
        selection.Build();
        selection.ApplyRestoreType(RestoreAllLatest, false);
        QVERIFY(selection.DuplicateNamesMessage().startsWith(
            QStringLiteral("These files are duplicated :\n")));
        QCOMPARE(selection.DuplicateNamesMessage()
                     .section(QLatin1Char('\n'), 1, 1)
                     .count(QStringLiteral(", ")),
                 1);

        // Unticking one of a pair lets the rest through.
        for (RestoreFileState &f : selection.Files())
            f.Ticked = false;
        selection.Files()[0].Ticked = true;
        selection.Files()[2].Ticked = true;
        QCOMPARE(selection.DuplicateNamesMessage(), QString());
    }

    void nothingChosenIsRefused() {
        AddFile(QStringLiteral("/a/"), QStringLiteral("x"), {0});
        RestoreSelection selection{TheModel()};
        selection.Build();
        QCOMPARE(selection.NothingSelectedMessage(false),
                 QStringLiteral("You must select some files before restoring them!\nPlease note, "
                                "only files shown in the file list can be restored!"));
        // A ticked file that the filter hides does not count.
        selection.Files()[0].Ticked = true;
        selection.Files()[0].Shown = false;
        QVERIFY(!selection.NothingSelectedMessage(false).isEmpty());
        QVERIFY(selection.NothingSelectedMessage(true).isEmpty());
    }

    void restoreToMustBeEmpty_data() {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<bool>("empty");
        QTest::newRow("missing, will be made") << "missing/" << true;
        QTest::newRow("empty folder") << "empty/" << true;
        QTest::newRow("hidden file") << "hidden/" << false;
        QTest::newRow("subfolder only") << "sub/" << false;
        QTest::newRow("a file") << "file" << false;
    }
    void restoreToMustBeEmpty() {
        QFETCH(QString, relative);
        QFETCH(bool, empty);
        TempTree tree({QStringLiteral("empty/"), QStringLiteral("hidden/.x=1"),
                       QStringLiteral("sub/deeper/"), QStringLiteral("file=1")});
        QCOMPARE(IsRestoreToEmpty(tree.PathOf(relative)), empty);
    }
};

QTEST_GUILESS_MAIN(TestRestoreSelection)
#include "tst_restoreselection.moc"
