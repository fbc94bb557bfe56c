// The directory window through its real controls: its three layouts, Cancel in every form, the
// drive and directory boxes, setting a directory that cannot be set, making a folder, the
// pattern box, the file selector and every message they show.

#include "DirectoryBox.h"
#include "FileBox.h"
#include "WindowSelectors.h"
#include "clsDirectory.h"
#include "frmDirectory.h"
#include "modalsteps.h"
#include "scriptedprompt.h"
#include "selectorpaths.h"
#include "temptree.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

QString CouldNotSet(const QString &wanted, const QString &landed) {
    return QStringLiteral("Could not set directory to \"") + wanted +
           QStringLiteral("\" as an error occured!\nThe directory was set to \"") + landed +
           QStringLiteral("\".");
}

QString CreateIt(const QString &dir) {
    return QStringLiteral("The directory ") + dir + QStringLiteral(" does not exist. Create it?");
}

QString NotFound(const QString &name, const QString &dir) {
    return QStringLiteral("Specified file could not be found in specified directory!\n") + name +
           QStringLiteral(" in ") + dir;
}

MsgAnswer AnswerNamed(const QString &answer) {
    return answer == QLatin1String("Yes") ? MsgAnswer::Yes : MsgAnswer::No;
}

} // namespace

class TestDirectory : public QObject {
    Q_OBJECT

    std::unique_ptr<TempTree> tree;
    std::unique_ptr<WindowSelectors> selectors;

    QString Path(const QString &relative) const { return tree->PathOf(relative); }
    frmDirectory &Window() const { return selectors->DirectoryWindow(); }
    template <class T> T *Find(const char *name) const {
        return Window().findChild<T *>(QString::fromLatin1(name));
    }
    DirectoryBox *DirBox() const { return Find<DirectoryBox>("dirDirSel"); }
    FileBox *Files() const { return Find<FileBox>("fileDirSel"); }
    QLineEdit *Patt() const { return Find<QLineEdit>("txtPatt"); }
    QComboBox *Drives() const { return Find<QComboBox>("drvDirSel"); }

    void Click(const char *name) {
        auto *button = Find<QAbstractButton>(name);
        QVERIFY(button);
        QVERIFY(button->isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void TypePattern(const QString &text) {
        Patt()->clear();
        QTest::keyClicks(Patt(), text);
    }
    QStringList FileRows() const {
        QStringList rows;
        for (int row = 0; row < Files()->count(); ++row)
            rows.append(Files()->item(row)->text());
        return rows;
    }
    // The directory box's row showing that name (the open directory, one above it or below it).
    QTreeWidgetItem *DirRow(const QString &name) const {
        const QList<QTreeWidgetItem *> found =
            DirBox()->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.last();
    }
    void ClickDirRow(const QString &name) {
        QTreeWidgetItem *row = DirRow(name);
        QVERIFY(row);
        DirBox()->scrollToItem(row);
        QTest::mouseClick(DirBox()->viewport(), Qt::LeftButton, {},
                          DirBox()->visualItemRect(row).center());
    }
    void ClickFileRow(const QString &name) {
        const int row = Files()->Find(name);
        QVERIFY(row >= 0);
        QTest::mouseClick(Files()->viewport(), Qt::LeftButton, {},
                          Files()->visualItemRect(Files()->item(row)).center());
    }

    // A path below the test folder, or, marked with a leading "=", the text as it stands.
    QString Given(const QString &text) const {
        return text.startsWith(QLatin1Char('=')) ? text.mid(1) : Path(text);
    }
    static void NameAllowedRows() {
        QTest::addColumn<bool>("nameAllowed");
        QTest::newRow("name may be typed") << true;
        QTest::newRow("listed files only") << false;
    }

    // Opens the window in one of its layouts at the directory a/.
    void Open(const QString &layout) {
        if (layout == QLatin1String("directory")) {
            GetDirectory(Path("a/"));
        } else if (layout == QLatin1String("advanced")) {
            clsDirectory entry;
            entry.SetNiceDirName(Path("a/"));
            GetAdvancedDirectory(entry);
        } else {
            GetFile(Path("a/"), layout == QLatin1String("file with name"));
        }
    }

private Q_SLOTS:
    void init() {
        tree =
            std::make_unique<TempTree>(QStringList{"a/b/c/", "a/b/inner.txt", "a/notes.txt",
                                                   "a/x.ini", "a/B.INI", "a/Readme.TXT", "e/f/"});
        qputenv("PELLMOOR_DRIVES", "/=fixed");
        selectors = std::make_unique<WindowSelectors>();
        SetSelectorHandler(selectors.get());
    }
    void cleanup() {
        SetSelectorHandler(nullptr);
        selectors.reset();
        tree.reset();
        qunsetenv("PELLMOOR_DRIVES");
    }

    void layoutsShowTheirLabelsAndControls_data() {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<bool>("nameShown");
        QTest::addColumn<bool>("patternButtonsShown");
        const QStringList directory = {
            "Directory Selector :", "File List (Reference Only):", "File Name/Pattern :"};
        const QStringList file = {"File Selector :", "File List :", "File Name :"};
        QTest::newRow("directory") << "directory" << directory << false << false;
        QTest::newRow("advanced") << "advanced" << directory << true << true;
        QTest::newRow("file") << "file" << file << false << false;
        QTest::newRow("file with name") << "file with name" << file << true << false;
    }
    void layoutsShowTheirLabelsAndControls() {
        QFETCH(QString, layout);
        QFETCH(QStringList, labels);
        QFETCH(bool, nameShown);
        QFETCH(bool, patternButtonsShown);
        ScriptedPrompt prompt;
        bool ran = false;
        WhenShown(Window(), [&] {
            ran = true;
            QCOMPARE(Find<QLabel>("lblDirSel")->text(), labels[0]);
            QCOMPARE(Find<QLabel>("lblFileList")->text(), labels[1]);
            QCOMPARE(Find<QLabel>("lblPatt")->text(), labels[2]);
            QCOMPARE(Find<QLabel>("lblPatt")->isVisible(), nameShown);
            QCOMPARE(Patt()->isVisible(), nameShown);
            QCOMPARE(Patt()->isEnabled(), nameShown);
            for (const char *name : {"chkIncSub", "cmdPattHelp", "cmdTestPatt"})
                QCOMPARE(Find<QWidget>(name)->isVisible(), patternButtonsShown);
            for (const char *name : {"drvDirSel", "dirDirSel", "fileDirSel", "cmdManual",
                                     "cmdNewFolder", "cmdOk", "cmdCancel"})
                QVERIFY2(Find<QWidget>(name)->isVisible(), name);
        });
        Open(layout);
        QVERIFY(ran);
        QVERIFY(prompt.Texts().isEmpty());
    }

    void cancelGivesBackTheStartExactly_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("reported");
        // "=" marks a start taken as it stands, not below the test folder.
        const struct {
            const char *tag, *start, *how, *reported;
        } rows[] = {{"with separator, button", "a/", "button", ""},
                    {"without separator, Escape", "a", "escape", ""},
                    {"untidy, close box", "a/./b/../b", "close box", ""},
                    {"empty, button", "=", "button", ""},
                    {"missing, not made, button", "gone/", "button", "The directory "},
                    {"relative, Escape", "=a/", "escape", "Could not set directory to \""}};
        for (const auto &row : rows)
            QTest::newRow(row.tag) << row.start << row.how << row.reported;
    }
    void cancelGivesBackTheStartExactly() {
        QFETCH(QString, start);
        QFETCH(QString, how);
        QFETCH(QString, reported);
        start = Given(start);
        ScriptedPrompt prompt;
        if (reported.startsWith(QStringLiteral("The directory ")))
            prompt.AnswerTo(Question::MakeDirectory, MsgAnswer::No);
        const QString caption = QStringLiteral("Directory Selector - Finding Latest Backup");
        bool ran = false;
        WhenShown(Window(), [&] {
            ran = true;
            QCOMPARE(Window().windowTitle(), caption);
            if (how == QLatin1String("button"))
                Click("cmdCancel");
            else if (how == QLatin1String("escape"))
                QTest::keyClick(&Window(), Qt::Key_Escape);
            else
                Window().close();
            QVERIFY(!Window().isVisible());
        });
        QCOMPARE(GetDirectory(start, caption), start);
        QVERIFY(ran);
        QVERIFY(Window().Cancelled());
        QCOMPARE(Window().windowTitle(), QStringLiteral("Directory Selector"));
        QCOMPARE(prompt.Texts().size(), reported.isEmpty() ? 0 : 1);
        if (!reported.isEmpty())
            QVERIFY(prompt.Texts().first().startsWith(reported + start));
    }

    void okGivesTheDirectoryWithItsSeparator() {
        ScriptedPrompt prompt;
        WhenShown(Window(), [&] { Click("cmdOk"); });
        QCOMPARE(GetDirectory(Path("a/./b/../b")), Path("a/b/"));
        QVERIFY(!Window().Cancelled());
        // An empty start is where the window was left.
        WhenShown(Window(), [&] { Click("cmdOk"); });
        QCOMPARE(GetDirectory(QString()), Path("a/b/"));
        QVERIFY(prompt.Texts().isEmpty());
        // Callers that start where the user was last ask the window.
        QCOMPARE(LastDirectory(), Path("a/b/"));
    }

    void manualDirectoryLandsOnTheNearestOneThatCanBeSet_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("landed");
        QTest::addColumn<bool>("reported");
        const struct {
            const char *tag, *typed, *landed;
            bool reported;
        } rows[] = {{"a file", "a/notes.txt", "a/", true},
                    {"relative stays where it was", "=a/b", "e/", true},
                    {"untidy", "a//b/./c/..", "a/b/", false},
                    {"without separator", "a/b", "a/b/", false},
                    {"input cancelled", "=", "e/", false}};
        for (const auto &row : rows)
            QTest::newRow(row.tag) << row.typed << row.landed << row.reported;
    }
    void manualDirectoryLandsOnTheNearestOneThatCanBeSet() {
        QFETCH(QString, typed);
        QFETCH(QString, landed);
        QFETCH(bool, reported);
        typed = Given(typed);
        landed = Path(landed);
        ScriptedPrompt prompt;
        prompt.Type(typed);
        WhenShown(Window(), [&] {
            Click("cmdManual");
            QCOMPARE(DirBox()->Path(), landed);
            QCOMPARE(Files()->Directory(), landed);
            Click("cmdOk");
        });
        QCOMPARE(GetDirectory(Path("e/")), landed);
        QStringList expected = {QStringLiteral("Enter directory :")};
        if (reported)
            expected.append(CouldNotSet(typed, landed));
        QCOMPARE(prompt.Texts(), expected);
    }

    void newFolderIsMadeInTheFolderShown_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("made");
        QTest::addColumn<QString>("message");
        const QString there = QStringLiteral("There is already a folder or file called ");
        QTest::newRow("made and opened") << " new folder "
                                         << "new folder"
                                         << "";
        QTest::newRow("input cancelled") << ""
                                         << ""
                                         << "";
        QTest::newRow("blank") << "   "
                               << ""
                               << "The new folder needs a name!";
        QTest::newRow("separator") << "x/y"
                                   << ""
                                   << "A folder name cannot contain \"/\"!";
        QTest::newRow("dot") << "."
                             << ""
                             << "\".\" cannot be used as a folder name!";
        // "@" stands for the folder shown.
        QTest::newRow("file there") << "notes.txt"
                                    << "" << there + "\"notes.txt\" in @";
    }
    void newFolderIsMadeInTheFolderShown() {
        QFETCH(QString, typed);
        QFETCH(QString, made);
        QFETCH(QString, message);
        message.replace(QLatin1Char('@'), Path("a/"));
        const QString opened = made.isEmpty() ? Path("a/") : Path("a/" + made + "/");
        const uint entries = QDir(Path("a/")).count() + (made.isEmpty() ? 0 : 1);
        ScriptedPrompt prompt;
        prompt.Type(typed);
        WhenShown(Window(), [&] {
            Click("cmdNewFolder");
            QCOMPARE(Files()->Directory(), opened);
            Click("cmdOk");
        });
        QCOMPARE(GetDirectory(Path("a/")), opened);
        QCOMPARE(QDir(Path("a/")).count(), entries);
        QStringList texts = {QStringLiteral("Enter the new folder's name :")};
        if (!message.isEmpty())
            texts.append(message);
        QCOMPARE(prompt.Texts(), texts);
        QCOMPARE(prompt.Prompts().first().title, QStringLiteral("New Folder"));
    }

    // A directory that does not exist, typed or given as the start, is offered for creation.
    void missingDirectoryIsOfferedForCreation_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("landed");
        QTest::addColumn<QString>("failure");
        const struct {
            const char *tag, *how, *wanted;
            bool yes;
            const char *landed, *failure;
        } rows[] = {
            {"typed, made with its parents", "typed", "a/new/deeper", true, "a/new/deeper/", ""},
            {"typed, declined", "typed", "a/new/deeper/", false, "e/", ""},
            {"typed below a file", "typed", "a/notes.txt/sub/", true, "e/", "a/notes.txt/sub/"},
            {"start, made", "start", "a/new/", true, "a/new/", ""},
            {"start, declined", "start", "a/new/deeper/", false, "a/", ""}};
        for (const auto &row : rows)
            QTest::newRow(row.tag) << row.how << row.wanted << row.yes << row.landed << row.failure;
    }
    void missingDirectoryIsOfferedForCreation() {
        QFETCH(QString, how);
        QFETCH(QString, wanted);
        QFETCH(bool, yes);
        QFETCH(QString, landed);
        QFETCH(QString, failure);
        const bool typed = how == QLatin1String("typed");
        const QString tidy = Path(wanted.endsWith('/') ? wanted : wanted + '/');
        ScriptedPrompt prompt;
        if (typed)
            prompt.Type(Path(wanted));
        prompt.AnswerTo(Question::MakeDirectory, yes ? MsgAnswer::Yes : MsgAnswer::No);
        WhenShown(Window(), [&] {
            if (typed)
                Click("cmdManual");
            QCOMPARE(DirBox()->Path(), Path(landed));
            Click("cmdOk");
        });
        QCOMPARE(GetDirectory(typed ? Path("e/") : Path(wanted)), Path(landed));
        QCOMPARE(QFileInfo(tidy).isDir(), yes && failure.isEmpty());
        QStringList texts = prompt.Texts();
        if (typed)
            QCOMPARE(texts.takeFirst(), QStringLiteral("Enter directory :"));
        QCOMPARE(texts.takeFirst(), CreateIt(tidy));
        QCOMPARE(prompt.Prompts()[typed ? 1 : 0].icon, MsgIcon::Question);
        if (!failure.isEmpty())
            QVERIFY2(texts.takeFirst().startsWith(QStringLiteral("The folder ") + Path(failure) +
                                                  QStringLiteral(" could not be created!\nError "
                                                                 "was : ")),
                     qPrintable(prompt.Texts().join('|')));
        QCOMPARE(texts, QStringList());
    }

    void driveBoxFollowsTheLongestMountPoint() {
        qputenv("PELLMOOR_DRIVES",
                ("/=fixed;" + Path("a/") + "=removable;" + Path("gone/") + "=optical").toUtf8());
        ScriptedPrompt prompt;
        bool ran = false;
        WhenShown(Window(), [&] {
            ran = true;
            QComboBox *drives = Drives();
            QCOMPARE(drives->count(), 3);
            QCOMPARE(drives->currentText(), Path("a/"));
            // Choosing a drive moves to its root.
            QTest::keyClick(drives, Qt::Key_Home);
            QCOMPARE(DirBox()->Path(), QStringLiteral("/"));
            // A drive that cannot be opened is reported and the boxes land above it.
            QTest::keyClick(drives, Qt::Key_End);
            QCOMPARE(DirBox()->Path(), tree->Root());
            QCOMPARE(drives->currentText(), QStringLiteral("/"));
            QCOMPARE(prompt.Texts(), QStringList{CouldNotSet(Path("gone/"), tree->Root())});
            // Opening a directory on another drive shows that drive.
            ClickDirRow(QStringLiteral("a"));
            QCOMPARE(DirBox()->Path(), Path("a/"));
            QCOMPARE(drives->currentText(), Path("a/"));
        });
        GetDirectory(Path("a/b/c/"));
        QVERIFY(ran);
    }

    void driveOfADirectoryIsItsLongestMountPoint() {
        const QList<platform::Drive> drives = {{"/home/", platform::DriveType::Fixed},
                                               {"/", platform::DriveType::Fixed},
                                               {"/home/user/", platform::DriveType::Removable}};
        QCOMPARE(DriveRootFor("/home/user/docs/", drives), QStringLiteral("/home/user/"));
        QCOMPARE(DriveRootFor("/home", drives), QStringLiteral("/home/"));
        // A name that only starts like a mount point is not on it.
        QCOMPARE(DriveRootFor("/homework/", drives), QStringLiteral("/"));
        QCOMPARE(DriveRootFor("/home/", {{"/mnt/", platform::DriveType::Fixed}}), QString());
    }

    void directoryBoxOpensWithMouseAndKeys() {
        ScriptedPrompt prompt;
        bool ran = false;
        WhenShown(Window(), [&] {
            ran = true;
            QCOMPARE(FileRows(), (QStringList{"B.INI", "notes.txt", "Readme.TXT", "x.ini"}));
            // A click on a subdirectory opens it; the file box follows.
            ClickDirRow(QStringLiteral("b"));
            QCOMPARE(DirBox()->Path(), Path("a/b/"));
            QCOMPARE(FileRows(), QStringList{"inner.txt"});
            // Backspace goes up.
            QTest::keyClick(DirBox(), Qt::Key_Backspace);
            QCOMPARE(DirBox()->Path(), Path("a/"));
            // Down to the subdirectory and Enter opens it, and does not press OK.
            DirBox()->setFocus();
            QTest::keyClick(DirBox(), Qt::Key_Down);
            QCOMPARE(DirBox()->currentItem()->text(0), QStringLiteral("b"));
            QTest::keyClick(DirBox(), Qt::Key_Return);
            QCOMPARE(DirBox()->Path(), Path("a/b/"));
            QVERIFY(Window().isVisible());
            // A click on a directory above opens it.
            ClickDirRow(QDir(tree->Root()).dirName());
            QCOMPARE(DirBox()->Path(), tree->Root());
            // A double-click opens one directory, not the one that moved under the pointer.
            QTreeWidgetItem *e = DirRow(QStringLiteral("e"));
            QVERIFY(e);
            const QPoint at = DirBox()->visualItemRect(e).center();
            QTest::mouseClick(DirBox()->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(DirBox()->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(DirBox()->viewport(), Qt::LeftButton, {}, at);
            QCOMPARE(DirBox()->Path(), Path("e/"));
            Click("cmdOk");
        });
        QCOMPARE(GetDirectory(Path("a/")), Path("e/"));
        QVERIFY(ran);
        QVERIFY(prompt.Texts().isEmpty());
    }

    void advancedDirectoryTakesAValidPatternOnly_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("patterns");
        QTest::addColumn<QString>("message");
        const char *repair = "File patterns cannot contain any of";
        const struct {
            const char *tag, *typed, *answer;
            bool accepted;
            const char *patterns, *message;
        } rows[] = {{"valid", "*.doc;*.txt", "", true, "*.doc;*.txt", ""},
                    {"repaired", "*.doc; *.txt;", "Yes", true, "*.doc;*.txt", repair},
                    {"repair refused", "*.doc; *.txt;", "No", false, "", repair},
                    {"nothing left to repair", "<>|", "Yes", false, "", repair},
                    {"empty", "", "", false, "", "Pattern/Filename cannot be left empty!"}};
        for (const auto &row : rows)
            QTest::newRow(row.tag)
                << row.typed << row.answer << row.accepted << row.patterns << row.message;
    }
    void advancedDirectoryTakesAValidPatternOnly() {
        QFETCH(QString, typed);
        QFETCH(QString, answer);
        QFETCH(bool, accepted);
        QFETCH(QString, patterns);
        QFETCH(QString, message);
        for (const bool tick : {false, true}) {
            ScriptedPrompt prompt;
            if (!answer.isEmpty())
                prompt.AnswerTo(Question::UseSuggestedPattern, AnswerNamed(answer));
            clsDirectory entry;
            entry.SetNiceDirName(Path("a/b"));
            entry.Patterns = QStringLiteral("*.old");
            entry.IncludeSubdirs = !tick;
            bool ran = false;
            WhenShown(Window(), [&] {
                ran = true;
                QCOMPARE(Patt()->text(), QStringLiteral("*.old"));
                auto *chkIncSub = Find<QCheckBox>("chkIncSub");
                QCOMPARE(chkIncSub->isChecked(), !tick);
                QTest::mouseClick(chkIncSub, Qt::LeftButton);
                TypePattern(typed);
                Click("cmdOk");
                QCOMPARE(Window().isVisible(), !accepted);
            });
            QCOMPARE(GetAdvancedDirectory(entry), accepted);
            QVERIFY(ran);
            if (accepted) {
                QCOMPARE(entry.NiceDirName(), Path("a/b/"));
                QCOMPARE(entry.Patterns, patterns);
                QCOMPARE(entry.IncludeSubdirs, tick);
            } else {
                QCOMPARE(entry.NiceDirName(), Path("a/b"));
                QCOMPARE(entry.Patterns, QStringLiteral("*.old"));
                QCOMPARE(entry.IncludeSubdirs, !tick);
            }
            QCOMPARE(prompt.Texts().size(), message.isEmpty() ? 0 : 1);
            if (!message.isEmpty())
                QVERIFY(prompt.Texts().first().startsWith(message));
        }
    }

    void patternButtonsAnswer() {
        ScriptedPrompt prompt;
        clsDirectory entry;
        WhenShown(Window(), [&] {
            TypePattern(QString());
            Click("cmdTestPatt");
            TypePattern(QStringLiteral("*.txt"));
            Click("cmdTestPatt");
            Click("cmdPattHelp");
            QVERIFY(Window().isVisible());
        });
        QVERIFY(!GetAdvancedDirectory(entry));
        const QStringList texts = prompt.Texts();
        QCOMPARE(texts.size(), 3);
        QCOMPARE(texts[0], QStringLiteral("Pattern/Filename cannot be left empty!"));
        QCOMPARE(texts[1], QStringLiteral("Pattern is valid."));
        QVERIFY(texts[2].startsWith(
            QStringLiteral("Patterns are a string used to match filenames.\n")));
    }

    void fileNotInTheDirectoryIsReportedAndTheWindowShown_data() { NameAllowedRows(); }
    void fileNotInTheDirectoryIsReportedAndTheWindowShown() {
        QFETCH(bool, nameAllowed);
        ScriptedPrompt prompt;
        bool ran = false;
        WhenShown(Window(), [&] {
            ran = true;
            QCOMPARE(prompt.Texts(), QStringList{NotFound("missing.ini", Path("a/"))});
            QCOMPARE(DirBox()->Path(), Path("a/"));
            QVERIFY(Files()->selectedItems().isEmpty());
            QCOMPARE(Patt()->text(), nameAllowed ? QStringLiteral("missing.ini") : QString());
            Click("cmdOk");
            QCOMPARE(Window().isVisible(), !nameAllowed);
        });
        const QString chosen = GetFile(Path("a/missing.ini"), nameAllowed, "*.ini");
        QVERIFY(ran);
        QCOMPARE(chosen, nameAllowed ? Path("a/missing.ini") : QString());
        if (!nameAllowed)
            QCOMPARE(prompt.Texts().last(), QStringLiteral("You must select a file!"));
    }

    void filterListsOnlyItsFilesWhileOpen() {
        ScriptedPrompt prompt;
        WhenShown(Window(), [&] {
            QCOMPARE(Files()->Pattern(), QStringLiteral("*.ini"));
            QCOMPARE(FileRows(), (QStringList{"B.INI", "x.ini"}));
            ClickFileRow(QStringLiteral("x.ini"));
            QCOMPARE(Patt()->text(), QStringLiteral("x.ini"));
            Click("cmdOk");
        });
        QCOMPARE(GetFile(Path("a/"), false, "*.ini"), Path("a/x.ini"));
        QCOMPARE(Files()->Pattern(), QStringLiteral("*.*"));
        QCOMPARE(FileRows().size(), 4);
        QVERIFY(prompt.Texts().isEmpty());
    }

    void fileIsFoundWithoutRegardToCase() {
        ScriptedPrompt prompt;
        WhenShown(Window(), [&] {
            QCOMPARE(Files()->currentItem()->text(), QStringLiteral("x.ini"));
            Click("cmdOk");
        });
        QCOMPARE(GetFile(Path("a/X.INI"), true), Path("a/x.ini"));
        QVERIFY(prompt.Texts().isEmpty());
    }

    void emptyOkIsRefused_data() { NameAllowedRows(); }
    void emptyOkIsRefused() {
        QFETCH(bool, nameAllowed);
        const QString message = nameAllowed
                                    ? QStringLiteral("You must select a file or enter a filename!")
                                    : QStringLiteral("You must select a file!");
        const QString chosen =
            nameAllowed ? QStringLiteral("new.txt") : QStringLiteral("notes.txt");
        ScriptedPrompt prompt;
        WhenShown(Window(), [&] {
            Click("cmdOk");
            QVERIFY(Window().isVisible());
            QCOMPARE(prompt.Texts(), QStringList{message});
            if (nameAllowed)
                QTest::keyClicks(Patt(), chosen);
            else
                ClickFileRow(chosen);
            Click("cmdOk");
        });
        QCOMPARE(GetFile(Path("a/"), nameAllowed), Path("a/") + chosen);
    }

    void doubleClickOnAFileChoosesIt() {
        ScriptedPrompt prompt;
        WhenShown(Window(), [&] {
            const int row = Files()->Find(QStringLiteral("Readme.TXT"));
            QVERIFY(row >= 0);
            const QPoint at = Files()->visualItemRect(Files()->item(row)).center();
            QTest::mouseClick(Files()->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(Files()->viewport(), Qt::LeftButton, {}, at);
        });
        QCOMPARE(GetFile(Path("a/"), false), Path("a/Readme.TXT"));
    }

    void fileInADirectoryThatCannotBeSetIsNotLookedFor() {
        ScriptedPrompt prompt;
        WhenShown(Window(), [&] { Click("cmdCancel"); });
        QCOMPARE(GetFile(Path("gone/x.ini"), true), QString());
        QCOMPARE(prompt.Texts(), QStringList{CouldNotSet(Path("gone/"), tree->Root())});
    }
};

QTEST_MAIN(TestDirectory)
#include "tst_directory.moc"
