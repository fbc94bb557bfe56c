// The setup window's lists, interval, OK and Cancel, driven through its controls.

#include "setupfixture.h"

#include "WindowSelectors.h"
#include "appwindows.h"
#include "frmControl.h"
#include "frmDirectory.h"
#include "infofile.h"
#include "model.h"
#include "runatstartup.h"
#include "storabletext.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(MsgAnswer)

namespace {

clsDirectory Entry(const QString &name, const QString &patterns = QStringLiteral("*.*"),
                   bool subdirs = true) {
    clsDirectory entry;
    entry.SetNiceDirName(name);
    entry.Patterns = patterns;
    entry.IncludeSubdirs = subdirs;
    return entry;
}

void FillModel() {
    Model &model = TheModel();
    model.Directories = {Entry(QStringLiteral("/data/")),
                         Entry(QStringLiteral("/home/me/"), QStringLiteral("*.txt"), false)};
    model.IncludeAll = {QStringLiteral("*.doc"), QStringLiteral("*.txt")};
    model.Excludes = {QStringLiteral("/data/cache/"), QStringLiteral("/tmp/")};
}

QComboBox *Interval(const SetupFixture &setup) {
    return setup.window->findChild<QComboBox *>(QStringLiteral("cmbInterval"));
}

const QString ReallyCancel = QStringLiteral("Really cancel setup?");

} // namespace

class TestSetupLists : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void intervalShownAndStored_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("storedAfter");
        QTest::newRow("first of month, then seven days") << -1 << "1st Of The Month"
                                                         << "Every 7 Days" << 7;
        QTest::newRow("Monday, then everyday") << 0 << "Every Monday"
                                               << "Everyday" << 1;
        QTest::newRow("two days, then first of month") << 2 << "Every 2 Days"
                                                       << "1st Of The Month" << -1;
        QTest::newRow("a year, then Monday") << 365 << "Every 365 Days"
                                             << "Every Monday" << 0;
    }
    void intervalShownAndStored() {
        QFETCH(int, stored);
        QFETCH(QString, shown);
        QFETCH(QString, chosen);
        QFETCH(int, storedAfter);
        SetupFixture setup;
        TheModel().Settings.BackupInterval = stored;
        setup.Show();
        QComboBox *interval = Interval(setup);
        QCOMPARE(interval->count(), 367);
        QCOMPARE(interval->currentText(), shown);
        interval->setCurrentIndex(interval->findText(chosen));
        setup.Click("cmdOk");
        QCOMPARE(TheModel().Settings.BackupInterval, storedAfter);
    }

    // Cancel answered Yes gives back every entry of a cleared list; No keeps the window open
    // with the list still empty.
    void cancelAfterClearing_data() {
        QTest::addColumn<QString>("clear");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("question");
        QTest::newRow("directories") << "cmdClearDirs"
                                     << "lstDirectories"
                                     << "Really clear directories?";
        QTest::newRow("patterns") << "cmdClearPatts"
                                  << "lstPatterns"
                                  << "Really clear patterns?";
        QTest::newRow("excludes") << "cmdCLearDirsEx"
                                  << "lstExclude"
                                  << "Really clear directories?";
    }
    void cancelAfterClearing() {
        QFETCH(QString, clear);
        QFETCH(QString, list);
        QFETCH(QString, question);
        SetupFixture setup;
        FillModel();
        const Model before = TheModel();
        setup.Show();
        const QStringList rows = setup.Rows(list.toLatin1());
        QCOMPARE(rows.size(), 2);

        setup.prompt.AnswerWhen(question, MsgAnswer::Yes);
        setup.Click(clear.toLatin1());
        QVERIFY(setup.Rows(list.toLatin1()).isEmpty());

        setup.prompt.AnswerWhen(ReallyCancel, MsgAnswer::No);
        setup.Click("cmdCancel");
        QVERIFY(setup.window->isVisible());
        QVERIFY(setup.Rows(list.toLatin1()).isEmpty());

        setup.prompt.AnswerWhen(ReallyCancel, MsgAnswer::Yes);
        setup.window->close();
        QVERIFY(!setup.window->isVisible());
        QCOMPARE(TheModel().DirectoriesLast(), before.DirectoriesLast());
        QCOMPARE(TheModel().IncludeAll, before.IncludeAll);
        QCOMPARE(TheModel().Excludes, before.Excludes);
        setup.Show();
        QCOMPARE(setup.Rows(list.toLatin1()), rows);
    }

    void clearAnsweredNoKeepsTheList() {
        SetupFixture setup;
        FillModel();
        setup.Show();
        setup.prompt.AnswerWhen(QStringLiteral("Really clear directories?"), MsgAnswer::No);
        setup.Click("cmdClearDirs");
        QCOMPARE(TheModel().DirectoriesLast(), 1);
        QCOMPARE(setup.Rows("lstDirectories").size(), 2);
    }

    void directoryRowsAndEditing() {
        SetupFixture setup;
        FillModel();
        setup.Show();
        QCOMPARE(setup.Rows("lstDirectories"),
                 QStringList({"/data/, *.*, Include Subdirectories",
                              "/home/me/, *.txt, Dont Include Subdirectories"}));
        // A new entry starts as "*.*" with subdirectories.
        setup.selector.answers = {QStringLiteral("/srv/|*.c;*.h|0")};
        setup.Click("cmdAdd");
        QCOMPARE(setup.selector.calls.last().start, QString());
        QCOMPARE(TheModel().Directories.last().NiceDirName(), QStringLiteral("/srv/"));
        QCOMPARE(setup.Rows("lstDirectories").last(),
                 QStringLiteral("/srv/, *.c;*.h, Dont Include Subdirectories"));
        // An edit stays in its place.
        setup.ClickRow("lstDirectories", 0);
        setup.selector.answers = {QStringLiteral("/data/|*.jpg|1")};
        setup.Click("cmdEdit");
        QCOMPARE(setup.selector.calls.last().start, QStringLiteral("/data/"));
        QCOMPARE(TheModel().Directories[0].Patterns, QStringLiteral("*.jpg"));
        QCOMPARE(setup.Rows("lstDirectories").size(), 3);
        // A cancelled add adds nothing.
        setup.Click("cmdAdd");
        QCOMPARE(TheModel().DirectoriesLast(), 2);
    }

    // A second entry for a directory already listed is refused with the message, also when an
    // edit would turn one entry into another; the entry edited keeps its old values.
    // The information file stores a directory without its trailing separator.
    void duplicateDirectory_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("stored");
        QTest::newRow("add") << "cmdAdd" << -1 << "/data/";
        QTest::newRow("edit") << "cmdEdit" << 1 << "/data/";
        QTest::newRow("add beside a loaded entry") << "cmdAdd" << -1 << "/data";
    }
    void duplicateDirectory() {
        QFETCH(QString, button);
        QFETCH(int, row);
        QFETCH(QString, stored);
        SetupFixture setup;
        FillModel();
        TheModel().Directories[0].SetNiceDirName(stored);
        setup.Show();
        if (row >= 0)
            setup.ClickRow("lstDirectories", row);
        const QStringList rows = setup.Rows("lstDirectories");
        setup.selector.answers = {QStringLiteral("/data/|*.bak|0")};
        setup.Click(button.toLatin1());
        QCOMPARE(
            setup.prompt.Texts(),
            QStringList("The directory you attempted to add (\"/data/\") is already in the list!"));
        QCOMPARE(setup.Rows("lstDirectories"), rows);
        QCOMPARE(TheModel().Directories[1].Patterns, QStringLiteral("*.txt"));
        QCOMPARE(TheModel().Directories[0].Patterns, QStringLiteral("*.*"));
    }

    void duplicateExclude() {
        SetupFixture setup;
        FillModel();
        setup.Show();
        setup.selector.answers = {QStringLiteral("/tmp/")};
        setup.Click("cmdAddEx");
        QCOMPARE(setup.prompt.Texts(),
                 QStringList("The directory you attempted to add (\"/tmp/\") is already in the "
                             "list!"));
        setup.selector.answers = {QStringLiteral("/tmp")};
        setup.Click("cmdAddEx");
        QCOMPARE(setup.prompt.Texts().size(), 2);
        QCOMPARE(TheModel().ExcludesLast(), 1);
        // Editing an exclude to itself is no duplicate.
        setup.ClickRow("lstExclude", 1);
        setup.selector.answers = {QStringLiteral("/tmp/")};
        setup.Click("cmdEditEx");
        QCOMPARE(setup.selector.calls.last().start, QStringLiteral("/tmp/"));
        QCOMPARE(setup.prompt.Texts().size(), 2);
        setup.selector.answers = {QStringLiteral("/var/tmp/")};
        setup.Click("cmdEditEx");
        QCOMPARE(TheModel().Excludes,
                 QStringList({QStringLiteral("/data/cache/"), QStringLiteral("/var/tmp/")}));
    }

    void excludePatterns_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("excludes");
        QTest::addColumn<QString>("message");
        const QStringList before = {QStringLiteral("/data/cache/"), QStringLiteral("*.tmp")};
        QTest::newRow("added as typed")
            << "cmdAddPattEx"
            << "node_modules" << (before + QStringList("node_modules")) << QString();
        QTest::newRow("same pattern in other case")
            << "cmdAddPattEx"
            << "*.TMP" << before
            << "The pattern you attempted to add (\"*.TMP\") is already in the list!";
        QTest::newRow("a path is no pattern")
            << "cmdAddPattEx"
            << "cache/*.tmp" << before
            << "A pattern to exclude names files or folders wherever they are and holds no path "
               "(\"cache/*.tmp\"). Use \"Add Directory\" to exclude one directory.";
        QTest::newRow("pattern row edited as a pattern")
            << "cmdEditEx"
            << "*.iso" << QStringList({QStringLiteral("/data/cache/"), QStringLiteral("*.iso")})
            << QString();
    }
    void excludePatterns() {
        QFETCH(QString, button);
        QFETCH(QString, answer);
        QFETCH(QStringList, excludes);
        QFETCH(QString, message);
        SetupFixture setup;
        TheModel().Excludes = {QStringLiteral("/data/cache/"), QStringLiteral("*.tmp")};
        setup.Show();
        if (button == QLatin1String("cmdEditEx"))
            setup.ClickRow("lstExclude", 1);
        setup.selector.answers = {answer};
        setup.Click(button.toLatin1());
        QCOMPARE(setup.prompt.Texts(), message.isEmpty() ? QStringList() : QStringList(message));
        QCOMPARE(TheModel().Excludes, excludes);
        QCOMPARE(setup.Rows("lstExclude"), excludes);
        if (button == QLatin1String("cmdEditEx"))
            QCOMPARE(setup.selector.calls.last().kind + setup.selector.calls.last().start,
                     QStringLiteral("pattern*.tmp"));
    }

    void excludeFirstLetterUpperCased_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("shown");
        QTest::newRow("drive letter") << "c:\\temp"
                                      << "C:\\temp";
        QTest::newRow("upper already") << "D:\\Work"
                                       << "D:\\Work";
        QTest::newRow("root path") << "/var/cache/"
                                   << "/var/cache/";
    }
    void excludeFirstLetterUpperCased() {
        QFETCH(QString, path);
        QFETCH(QString, shown);
        SetupFixture setup;
        setup.Show();
        setup.selector.answers = {path};
        setup.Click("cmdAddEx");
        QCOMPARE(setup.Rows("lstExclude"), QStringList(shown));
        QCOMPARE(TheModel().Excludes, QStringList(shown));
    }

    void commonGroupAndCaseInsensitivePatterns() {
        SetupFixture setup;
        TheModel().IncludeAll = {QStringLiteral("*.txt")};
        setup.Show();
        auto *common = setup.window->findChild<QComboBox *>(QStringLiteral("cmbCommon"));
        QCOMPARE(common->currentText(), QStringLiteral("Documents"));
        QCOMPARE(common->count(), 6);
        common->setCurrentIndex(common->findText(QStringLiteral("Images")));
        setup.Click("cmdAddCommon");
        QCOMPARE(TheModel().IncludeAllLast(), 18);
        setup.Click("cmdAddCommon");
        QCOMPARE(TheModel().IncludeAllLast(), 18);
        QCOMPARE(setup.Rows("lstPatterns").size(), 19);
        // Documents holds *.txt, which is skipped.
        common->setCurrentIndex(0);
        setup.Click("cmdAddCommon");
        QCOMPARE(TheModel().IncludeAllLast(), 27);
        QCOMPARE(TheModel().IncludeAll.count(QStringLiteral("*.txt")), 1);

        setup.selector.answers = {QStringLiteral("*.TXT")};
        setup.Click("cmdAddPatt");
        QCOMPARE(TheModel().IncludeAllLast(), 27);
        setup.selector.answers = {QStringLiteral("*.md;*.MD;*.rst")};
        setup.Click("cmdAddPatt");
        QCOMPARE(TheModel().IncludeAll.mid(28),
                 QStringList({QStringLiteral("*.md"), QStringLiteral("*.rst")}));
    }

    void editedPatternMovesToTheEnd() {
        SetupFixture setup;
        TheModel().IncludeAll = {QStringLiteral("*.a"), QStringLiteral("*.b"),
                                 QStringLiteral("*.c")};
        setup.Show();
        setup.ClickRow("lstPatterns", 0);
        setup.selector.answers = {QStringLiteral("*.z")};
        setup.Click("cmdEditPatt");
        QCOMPARE(setup.selector.calls.last().start, QStringLiteral("*.a"));
        QCOMPARE(setup.Rows("lstPatterns"), QStringList({"*.b", "*.c", "*.z"}));
        // An edit to a pattern already there changes nothing.
        setup.ClickRow("lstPatterns", 0);
        setup.selector.answers = {QStringLiteral("*.C")};
        setup.Click("cmdEditPatt");
        QCOMPARE(setup.Rows("lstPatterns"), QStringList({"*.b", "*.c", "*.z"}));
    }

    // Removing the last row selects the row above it; an empty list disables Edit and Remove.
    void removingTheLastRow_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("remove");
        QTest::newRow("directories") << "lstDirectories"
                                     << "cmdEdit"
                                     << "cmdRemove";
        QTest::newRow("patterns") << "lstPatterns"
                                  << "cmdEditPatt"
                                  << "cmdRemovePatt";
        QTest::newRow("excludes") << "lstExclude"
                                  << "cmdEditEx"
                                  << "cmdRemoveEx";
    }
    void removingTheLastRow() {
        QFETCH(QString, list);
        QFETCH(QString, edit);
        QFETCH(QString, remove);
        SetupFixture setup;
        FillModel();
        setup.Show();
        QListWidget *rows = setup.List(list.toLatin1());
        // A list with no selection gets its first row selected when it is filled.
        QCOMPARE(rows->currentRow(), 0);
        setup.ClickRow(list.toLatin1(), 1);
        setup.Click(remove.toLatin1());
        QCOMPARE(rows->count(), 1);
        QCOMPARE(rows->currentRow(), 0);
        QVERIFY(setup.Button(edit.toLatin1())->isEnabled());
        setup.Click(remove.toLatin1());
        QCOMPARE(rows->count(), 0);
        QVERIFY(!setup.Button(edit.toLatin1())->isEnabled());
        QVERIFY(!setup.Button(remove.toLatin1())->isEnabled());
        QCOMPARE(TheModel().DirectoriesLast() + TheModel().IncludeAllLast() +
                     TheModel().ExcludesLast(),
                 1 + 1 - 1);
    }

    // A refilled list keeps the row on top and the selected row, so the user stays where he was.
    void scrollPositionKept() {
        SetupFixture setup;
        for (int i = 0; i < 80; ++i)
            TheModel().IncludeAll.append(QStringLiteral("*.x%1").arg(i, 2, 10, QLatin1Char('0')));
        setup.Show();
        QListWidget *list = setup.List("lstPatterns");
        setup.ClickRow("lstPatterns", 45);
        list->verticalScrollBar()->setValue(40);
        setup.Click("cmdRemovePatt");
        // The list lays its rows out later; the position must hold after that too.
        QCoreApplication::processEvents();
        QCOMPARE(list->count(), 79);
        QCOMPARE(list->currentItem()->text(), QStringLiteral("*.x46"));
        QCOMPARE(list->verticalScrollBar()->value(), 40);
        QVERIFY(!TheModel().IncludeAll.contains(QStringLiteral("*.x45")));
    }

    void okWritesTheFileAndTheAutostartEntry_data() {
        QTest::addColumn<bool>("startup");
        QTest::addColumn<bool>("updates");
        QTest::newRow("both on") << true << true;
        QTest::newRow("both off") << false << false;
    }
    void okWritesTheFileAndTheAutostartEntry() {
        QFETCH(bool, startup);
        QFETCH(bool, updates);
        SetupFixture setup;
        FillModel();
        TheModel().Settings.RunAtStartup = !startup;
        TheModel().Settings.CheckForUpdates = !updates;
        setup.Show();
        setup.window->findChild<QCheckBox *>(QStringLiteral("chkStartup"))->setChecked(startup);
        setup.window->findChild<QCheckBox *>(QStringLiteral("chkUpdate"))->setChecked(updates);
        setup.Click("cmdOk");
        QVERIFY(!setup.window->isVisible());
        QCOMPARE(QFile::exists(AutostartEntryPath()), startup);
        QCOMPARE(IsInRunKey(), startup);
        const QString ini = setup.ProgramDir() + QStringLiteral("Backup.Ini");
        QVERIFY(QFile::exists(ini));
        ResetSettings();
        QVERIFY(LoadIniFile(ini, false));
        QCOMPARE(TheModel().Settings.RunAtStartup, startup);
        QCOMPARE(TheModel().Settings.CheckForUpdates, updates);
        QCOMPARE(TheModel().IncludeAll, QStringList({"*.doc", "*.txt"}));
        QCOMPARE(TheModel().DirectoriesLast(), 1);
    }

    // Enter is OK and saves; Escape is Cancel with its question, whatever control has the focus.
    void enterAndEscape_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<bool>("open");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Enter") << int(Qt::Key_Return) << MsgAnswer::OK << false << true;
        QTest::newRow("Escape, No") << int(Qt::Key_Escape) << MsgAnswer::No << true << false;
        QTest::newRow("Escape, Yes") << int(Qt::Key_Escape) << MsgAnswer::Yes << false << false;
    }
    void enterAndEscape() {
        QFETCH(int, key);
        QFETCH(MsgAnswer, answer);
        QFETCH(bool, open);
        QFETCH(bool, saved);
        SetupFixture setup;
        FillModel();
        setup.Show();
        QVERIFY(QTest::qWaitForWindowActive(setup.window.get()));
        setup.ClickRow("lstDirectories", 1);
        if (key == Qt::Key_Escape)
            setup.prompt.AnswerWhen(ReallyCancel, answer);
        QWidget *focused = QApplication::focusWidget();
        QVERIFY(focused && focused->window() == setup.window.get());
        QTest::keyClick(focused, Qt::Key(key));
        QCOMPARE(setup.window->isVisible(), open);
        QCOMPARE(QFile::exists(setup.ProgramDir() + QStringLiteral("Backup.Ini")), saved);
        QCOMPARE(setup.prompt.Texts(),
                 key == Qt::Key_Escape ? QStringList{ReallyCancel} : QStringList());
    }

    // Cancel leaves the interval and flags as they were, whatever the controls show.
    void cancelKeepsTheOptions() {
        SetupFixture setup;
        TheModel().Settings.BackupInterval = 3;
        setup.Show();
        Interval(setup)->setCurrentIndex(0);
        setup.window->findChild<QCheckBox *>(QStringLiteral("chkStartup"))->setChecked(false);
        setup.prompt.AnswerWhen(ReallyCancel, MsgAnswer::Yes);
        setup.Click("cmdCancel");
        QCOMPARE(TheModel().Settings.BackupInterval, 3);
        QVERIFY(TheModel().Settings.RunAtStartup);
        QVERIFY(!QFile::exists(setup.ProgramDir() + QStringLiteral("Backup.Ini")));
    }

    // The control centre's button and its tray entry open the real window, filled from the model;
    // its buttons come back when the window goes.
    void controlCentreOpensSetup_data() {
        QTest::addColumn<bool>("fromTray");
        QTest::newRow("button") << false;
        QTest::newRow("tray entry") << true;
    }
    void controlCentreOpensSetup() {
        QFETCH(bool, fromTray);
        SetupFixture setup;
        FillModel();
        frmControl control(false);
        RegisterAppWindow(AppWindow::Setup, setup.window.get(),
                          [&setup] { setup.window->ShowForm(); });
        control.RefreshAvailability();
        control.show();
        auto *open = control.findChild<QPushButton *>(QStringLiteral("cmdSetup"));
        QVERIFY(open->isEnabled());
        if (fromTray)
            control.MenuCommand(0);
        else
            QTest::mouseClick(open, Qt::LeftButton);
        QVERIFY(setup.window->isVisible());
        QCOMPARE(setup.Rows("lstDirectories").size(), 2);
        QVERIFY(!open->isEnabled());
        setup.prompt.AnswerWhen(ReallyCancel, MsgAnswer::Yes);
        setup.Click("cmdCancel");
        QVERIFY(open->isEnabled());
        RegisterAppWindow(AppWindow::Setup, nullptr);
    }

    // The information file splits its fields at '|' and its records at line breaks: a text
    // holding either is refused where it is entered, with the message, and never reaches the
    // model; an import that holds one is refused whole.
    void separatorsRefusedWhereEntered_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("refusal");
        const auto refusal = [](const QString &what, const QString &text) {
            return what + QStringLiteral(" (\"") + text +
                   QStringLiteral("\") cannot be stored as it holds a '|' or a line break!");
        };
        QTest::newRow("directory with a bar")
            << "cmdAdd"
            << "/data/a|b/|*.*|1" << refusal("The directory", "/data/a|b/");
        QTest::newRow("patterns of a directory")
            << "cmdAdd"
            << "/data/new/|*.t\nxt|1" << refusal("The patterns", "*.t\nxt");
        QTest::newRow("include-all pattern") << "cmdAddPatt"
                                             << "*.a\nb" << refusal("The pattern", "*.a\nb");
        QTest::newRow("exclude") << "cmdAddEx"
                                 << "/tmp/a|b/" << refusal("The directory", "/tmp/a|b/");
        QTest::newRow("backup directory")
            << "cmdSetBackupDirectory"
            << "/backups/a|b/" << refusal("The backup directory", "/backups/a|b/");
        QTest::newRow("temporary directory")
            << "cmdSetTempDirectory"
            << "/temp/a\rb/" << refusal("The temporary zip directory", "/temp/a\rb/");
        QTest::newRow("import") << "cmdImportINI"
                                << "import.ini"
                                << "The file cannot be imported as the directory to back up "
                                   "\"/data/a|b\" holds a '|' or a line break.";
    }
    void separatorsRefusedWhereEntered() {
        QFETCH(QString, button);
        QFETCH(QString, answer);
        QFETCH(QString, refusal);
        SetupFixture setup;
        FillModel();
        if (button == QLatin1String("cmdImportINI")) {
            // Where a field runs to the end of its line, a file can hold a '|' in it.
            answer = setup.ProgramDir() + answer;
            QFile file(answer);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("V|8|1|1|0|0|-1|-1|665600|2048|0|CD|00:00:00|0|-1|-1|-1|-1|/backups/\r\n"
                       "/temp/\r\n1|*.*|/data/a|b\r\n\r\n\r\n");
            setup.prompt.AnswerWhen(QStringLiteral("This will overwrite"), MsgAnswer::Yes);
        }
        const QString backups = TheModel().Settings.BackupDirectory;
        setup.Show();
        setup.selector.answers = {answer};
        setup.Click(button.toLatin1());
        const QStringList texts = setup.prompt.Texts();
        QCOMPARE(texts.isEmpty() ? QString() : texts.last(), refusal);
        QCOMPARE(UnstorableField(TheModel()), QString());
        // What was there stays.
        QCOMPARE(TheModel().DirectoriesLast(), 1);
        QCOMPARE(TheModel().Directories[1].NiceDirName(), QStringLiteral("/home/me/"));
        QCOMPARE(TheModel().IncludeAll.size(), 2);
        QCOMPARE(TheModel().Excludes.size(), 2);
        QCOMPARE(TheModel().Settings.BackupDirectory, backups);
    }

    // The backup folder a new user starts with lies beside the program and is not made yet:
    // the directory window offers to make it, and it is set at the first press.
    void defaultBackupFolderIsMadeAtTheFirstPress() {
        SetupFixture setup;
        WindowSelectors windows;
        SetSelectorHandler(&windows);
        const auto scripted = qScopeGuard([&setup] { SetSelectorHandler(&setup.selector); });
        const QString folder = TheModel().Settings.BackupDirectory;
        QCOMPARE(folder, setup.ProgramDir() + QStringLiteral("Backups/"));
        QVERIFY(!QFileInfo::exists(folder));
        setup.Show();
        setup.prompt.AnswerTo(Question::MakeDirectory, MsgAnswer::Yes);
        frmDirectory &directory = windows.DirectoryWindow();
        QTimer::singleShot(0, &directory, [&directory] {
            QTest::mouseClick(directory.findChild<QPushButton *>(QStringLiteral("cmdOk")),
                              Qt::LeftButton);
        });
        setup.Click("cmdSetBackupDirectory");
        QVERIFY(!directory.isVisible());
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(TheModel().Settings.BackupDirectory, folder);
        QCOMPARE(setup.prompt.Texts(), QStringList{QStringLiteral("The directory ") + folder +
                                                   QStringLiteral(" does not exist. Create it?")});
    }

    void backupAndTempDirectories() {
        SetupFixture setup;
        TheModel().Settings.BackupDirectory = QStringLiteral("/old/backups/");
        const QString temp = TheModel().Settings.TempDirectory;
        setup.Show();
        setup.selector.answers = {QStringLiteral("/new/backups/")};
        setup.Click("cmdSetBackupDirectory");
        QCOMPARE(setup.selector.calls.last().start, QStringLiteral("/old/backups/"));
        QCOMPARE(TheModel().Settings.BackupDirectory, QStringLiteral("/new/backups/"));
        setup.selector.answers = {QStringLiteral("/new/temp/")};
        setup.Click("cmdSetTempDirectory");
        QCOMPARE(TheModel().Settings.TempDirectory, QStringLiteral("/new/temp/"));
        auto *label = setup.window->findChild<QLabel *>(QStringLiteral("lblTempDir"));
        QCOMPARE(label->text(), QStringLiteral("/new/temp/"));
        // Cancel gives both back.
        setup.prompt.AnswerWhen(ReallyCancel, MsgAnswer::Yes);
        setup.Click("cmdCancel");
        QCOMPARE(TheModel().Settings.BackupDirectory, QStringLiteral("/old/backups/"));
        QCOMPARE(TheModel().Settings.TempDirectory, temp);
    }
};

QTEST_MAIN(TestSetupLists)
#include "tst_setuplists.moc"
