// The control centre: captions, read-only mode, button states, the backup button, closing,
// the tray and the interval check.
#include "SysTray.h"
#include "appwindows.h"
#include "datetext.h"
#include "duecheck.h"
#include "fixedclock.h"
#include "frmAbout.h"
#include "frmAlert.h"
#include "frmControl.h"
#include "frmSplash.h"
#include "infofile.h"
#include "model.h"
#include "scriptedprompt.h"
#include "temptree.h"
#include "windowlook.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QtTest>

namespace {

const QDate Monday(2026, 12, 7);

QPushButton *Button(QWidget *window, const char *name) {
    return window->findChild<QPushButton *>(QString::fromLatin1(name));
}

QAction *Item(frmControl &control, int index) {
    return control.findChild<QAction *>(QStringLiteral("mnuPopup") + QString::number(index));
}

} // namespace

class TestControl : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void captions_data();
    void captions();
    void menuItems();
    void statusLine_data();
    void statusLine();
    void openFromTheMenu_data();
    void openFromTheMenu();
    void readOnlyMode();
    void buttonsWithoutTheirWindows();
    void openingAWindowHoldsTheButtons_data();
    void openingAWindowHoldsTheButtons();
    void updateStateWhileButtonsAreHeld();
    void backupClick_data();
    void backupClick();
    void closeAsksFirst_data();
    void closeAsksFirst();
    void trayStateMachine();
    void minimiseWithoutANotificationArea();
    void intervalCheckRaisesTheReminder_data();
    void intervalCheckRaisesTheReminder();
    void aboutFromTheMenu();
    void aboutIsModalOverTheControlCentre();
    void menuCommands_data();
    void menuCommands();
    void doubleClickOnTheIconRestores_data();
    void doubleClickOnTheIconRestores();
    void focusReturnsToTheLastButton();
    void helpLeavesTheButtonsAlone();
    void busyWhileTheInformationFileWorks();

private:
    void RegisterAll();

    std::unique_ptr<ScriptedPrompt> prompt;
    std::unique_ptr<FixedClock> clock;
    QWidget setupWindow, backupWindow, restoreWindow, detailsWindow, helpWindow;
    // automatic, forced for every update check started
    QList<QPair<bool, bool>> updatesStarted;
};

void TestControl::init() {
    prompt = std::make_unique<ScriptedPrompt>();
    clock = std::make_unique<FixedClock>(QDateTime(Monday, QTime(10, 0)));
    ResetSettings();
    TheModel().Settings.RemindFromDate = Monday;
    TheReminderState() = ReminderState();
    updatesStarted.clear();
}

void TestControl::cleanup() {
    for (AppWindow which : {AppWindow::Setup, AppWindow::Backup, AppWindow::Restore,
                            AppWindow::Details, AppWindow::Help})
        RegisterAppWindow(which, nullptr);
    for (QWidget *window :
         {&setupWindow, &backupWindow, &restoreWindow, &detailsWindow, &helpWindow})
        window->hide();
    SetUpdateStarter({});
    clock.reset();
    prompt.reset();
}

void TestControl::RegisterAll() {
    RegisterAppWindow(AppWindow::Setup, &setupWindow);
    RegisterAppWindow(AppWindow::Backup, &backupWindow);
    RegisterAppWindow(AppWindow::Restore, &restoreWindow);
    RegisterAppWindow(AppWindow::Details, &detailsWindow);
    RegisterAppWindow(AppWindow::Help, &helpWindow);
    SetUpdateStarter([this](bool automatic, bool forced) {
        updatesStarted.append({automatic, forced});
    });
}

void TestControl::captions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("setup") << "cmdSetup"
                           << "Setup";
    QTest::newRow("update") << "cmdUpdate"
                            << "Update";
    QTest::newRow("backup") << "cmdBackup"
                            << "Backup";
    QTest::newRow("restore") << "cmdRestore"
                             << "Restore";
    QTest::newRow("details") << "cmdDetails"
                             << "Details";
    QTest::newRow("help") << "cmdHelp"
                          << "Help";
    QTest::newRow("about") << "cmdAbout"
                           << "About";
    QTest::newRow("exit") << "cmdExit"
                          << "Exit";
    QTest::newRow("why read only") << "cmdWhyRead"
                                   << "Why Read Only Mode?";
    QTest::newRow("read only label") << "lblReadOnly"
                                     << "Working In Read Only Mode";
    // Before anything is chosen the status line says what to do first.
    QTest::newRow("status") << "lblStatus"
                            << "Not set up yet: press Setup";
}

void TestControl::captions() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    frmControl control(false);
    QCOMPARE(control.windowTitle(), QStringLiteral("Quillons Pellmoor - Control Centre"));
    QWidget *widget = control.findChild<QWidget *>(name);
    QVERIFY(widget);
    if (auto *button = qobject_cast<QPushButton *>(widget))
        QCOMPARE(button->text(), caption);
    else
        QCOMPARE(qobject_cast<QLabel *>(widget)->text(), caption);
    auto *timer = control.findChild<QTimer *>(QStringLiteral("tmrCheckInterval"));
    QVERIFY(timer && timer->isActive());
    QCOMPARE(timer->interval(), 5000);
}

void TestControl::menuItems() {
    frmControl control(false);
    const QStringList texts = {"Setup", "Update",  "",      "Backup", "Restore",
                               "",      "Details", "About", "",       "Exit"};
    for (int i = 0; i < texts.size(); ++i) {
        QAction *item = Item(control, i);
        QVERIFY(item);
        QCOMPARE(item->text(), texts[i]);
        QCOMPARE(item->isSeparator(), texts[i].isEmpty());
    }
}

void TestControl::statusLine_data() {
    QTest::addColumn<bool>("chosen");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<int>("interval");
    QTest::addColumn<QDateTime>("lastBackup"); // invalid: never; a time of 0: an older record
    QTest::addColumn<QDate>("due");
    QTest::addColumn<QString>("status"); // %1: the last backup's date, %2: the date due
    const QDateTime never;
    const QDate none;
    QTest::newRow("nothing chosen")
        << false << false << 0 << never << none << "Not set up yet: press Setup";
    QTest::newRow("nothing chosen, read-only")
        << false << true << 0 << never << none << "Not set up yet";
    QTest::newRow("never backed up, Mondays")
        << true << false << 0 << never << none << "Last backup: none yet\nNext backup due: today";
    QTest::newRow("backed up this morning, Mondays")
        << true << false << 0 << QDateTime(Monday, QTime(9, 30, 15)) << Monday.addDays(7)
        << "Last backup: %1 09:30:15\nNext backup due: Mon %2";
    QTest::newRow("every day, backed up on Sunday")
        << true << false << 1 << QDateTime(Monday.addDays(-1), QTime(8, 0, 0)) << none
        << "Last backup: %1 08:00:00\nNext backup due: tomorrow";
    QTest::newRow("first of the month, a record without its time")
        << true << false << -1 << QDateTime(QDate(2026, 12, 1), QTime(0, 0)) << QDate(2027, 1, 1)
        << "Last backup: %1\nNext backup due: Fri %2";
    QTest::newRow("read-only: no backup is due from there")
        << true << true << 0 << QDateTime(Monday, QTime(9, 30, 15)) << none
        << "Last backup: %1 09:30:15";
}

// The status line tells the state: nothing chosen yet, or when the last backup was made and
// when the next one is due.
void TestControl::statusLine() {
    QFETCH(bool, chosen);
    QFETCH(bool, readOnly);
    QFETCH(int, interval);
    QFETCH(QDateTime, lastBackup);
    QFETCH(QDate, due);
    QFETCH(QString, status);
    Model &model = TheModel();
    if (chosen)
        model.IncludeAll.append(QStringLiteral("*.doc"));
    model.Settings.BackupInterval = interval;
    if (lastBackup.isValid()) {
        model.Settings.LastBackupDate = lastBackup.date();
        BackupRecord record;
        record.SetDate = lastBackup.time() == QTime(0, 0) ? ShortDateText(lastBackup.date())
                                                          : SetDateText(lastBackup);
        model.Backups.append(record);
    }
    frmControl control(false);
    control.SetReadOnlyMode(readOnly);
    control.show();
    QString expected = status;
    if (expected.contains(QLatin1String("%2")))
        expected = expected.arg(ShortDateText(lastBackup.date()), ShortDateText(due));
    else if (expected.contains(QLatin1String("%1")))
        expected = expected.arg(ShortDateText(lastBackup.date()));
    QLabel *lblStatus = control.findChild<QLabel *>(QStringLiteral("lblStatus"));
    QCOMPARE(lblStatus->text(), expected);
    QVERIFY(lblStatus->width() >= lblStatus->sizeHint().width());
    SaveShot(control, QStringLiteral("frmControl-") + QString::fromLatin1(QTest::currentDataTag()));
    // The day turns: the line follows at the next tick.
    if (chosen && !readOnly && !lastBackup.isValid()) {
        clock->Set(QDateTime(Monday.addDays(1), QTime(0, 1)));
        control.CheckIntervalTick();
        QCOMPARE(lblStatus->text(), QStringLiteral("Last backup: none yet\nNext backup due: Mon ") +
                                        ShortDateText(Monday.addDays(7)));
    }
}

void TestControl::openFromTheMenu_data() {
    QTest::addColumn<QString>("from");
    QTest::newRow("the tray") << "tray";
    QTest::newRow("minimised, no notification area") << "minimised";
    QTest::newRow("hidden behind the splash") << "splash";
}

// The tray menu's first entry brings the control centre up from wherever it is.
void TestControl::openFromTheMenu() {
    QFETCH(QString, from);
    frmControl control(from == "tray");
    frmSplash splash;
    control.SetSplash(&splash);
    QAction *open = control.findChild<QAction *>(QStringLiteral("mnuOpen"));
    QVERIFY(open);
    QCOMPARE(open->text(), QStringLiteral("Open Control Centre"));
    QCOMPARE(control.PopupMenu()->actions().first(), open);
    control.show();
    if (from == "tray") {
        QVERIFY(control.Tray()->MinimiseToTray());
    } else if (from == "minimised") {
        control.showMinimized();
    } else {
        control.hide();
        splash.ShowForm();
    }
    QVERIFY(!control.isVisible() || control.isMinimized());
    open->trigger();
    QVERIFY(control.isVisible());
    QVERIFY(!control.isMinimized());
    QVERIFY(!control.Tray()->InTray());
    QVERIFY(!splash.isVisible());
    QCOMPARE(prompt->Texts(), QStringList());
}

void TestControl::readOnlyMode() {
    frmControl control(false);
    control.SetReadOnlyMode(true);
    control.show();
    for (const char *name : {"lblReadOnly", "cmdWhyRead"})
        QVERIFY2(control.findChild<QWidget *>(QString::fromLatin1(name))->isVisible(), name);
    for (const char *name : {"cmdSetup", "cmdUpdate", "cmdBackup"})
        QVERIFY2(!Button(&control, name)->isVisible(), name);
    QVERIFY(Button(&control, "cmdRestore")->isVisible());
    QVERIFY(!Item(control, 0)->isVisible());
    QVERIFY(!Item(control, 1)->isVisible());
    QVERIFY(!Item(control, 3)->isVisible());
    QVERIFY(Item(control, 4)->isVisible());
    Button(&control, "cmdWhyRead")->click();
    QCOMPARE(prompt->Texts(),
             QStringList{QStringLiteral(
                 "You appear to be running this program from write protected media (e.g. a "
                 "CD).\nWhen running from locked media, the operations that can be performed are "
                 "restricted.\nThis is because when using Setup and Backup, files must be written "
                 "to disk.")});
    // Everything fits: the window was sized for what it shows.
    QVERIFY(control.width() >= control.sizeHint().width());
    QVERIFY(control.height() >= control.sizeHint().height());
}

void TestControl::buttonsWithoutTheirWindows() {
    frmControl control(false);
    for (const char *name :
         {"cmdSetup", "cmdUpdate", "cmdBackup", "cmdRestore", "cmdDetails", "cmdHelp"})
        QVERIFY2(!Button(&control, name)->isEnabled(), name);
    for (const char *name : {"cmdAbout", "cmdExit"})
        QVERIFY2(Button(&control, name)->isEnabled(), name);
    RegisterAll();
    control.RefreshAvailability();
    for (const char *name : {"cmdSetup", "cmdUpdate", "cmdBackup", "cmdRestore", "cmdDetails"})
        QVERIFY2(Button(&control, name)->isEnabled(), name);
    Button(&control, "cmdUpdate")->click();
    // Asked for by the user: neither the quiet automatic check nor a forced one.
    QCOMPARE(updatesStarted, (QList<QPair<bool, bool>>{{false, false}}));
}

void TestControl::openingAWindowHoldsTheButtons_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("updateBefore");
    QTest::newRow("setup") << "cmdSetup" << true;
    QTest::newRow("setup, update off") << "cmdSetup" << false;
    QTest::newRow("restore") << "cmdRestore" << true;
    QTest::newRow("details") << "cmdDetails" << true;
}

void TestControl::openingAWindowHoldsTheButtons() {
    QFETCH(QString, button);
    QFETCH(bool, updateBefore);
    RegisterAll();
    frmControl control(false);
    control.show();
    control.SetUpdateEnabled(updateBefore);
    control.findChild<QPushButton *>(button)->click();
    QWidget *opened = button == "cmdSetup"     ? &setupWindow
                      : button == "cmdRestore" ? &restoreWindow
                                               : &detailsWindow;
    QVERIFY(opened->isVisible());
    for (const char *name :
         {"cmdSetup", "cmdUpdate", "cmdBackup", "cmdRestore", "cmdDetails", "cmdExit"})
        QVERIFY2(!Button(&control, name)->isEnabled(), name);
    for (int i : {0, 1, 3, 4, 9})
        QVERIFY(!Item(control, i)->isEnabled());
    for (const char *name : {"cmdAbout"})
        QVERIFY2(Button(&control, name)->isEnabled(), name);
    QVERIFY(Item(control, 6)->isEnabled());
    QVERIFY(Item(control, 7)->isEnabled());
    opened->hide(); // cancelling the window
    for (const char *name : {"cmdSetup", "cmdBackup", "cmdRestore", "cmdDetails", "cmdExit"})
        QVERIFY2(Button(&control, name)->isEnabled(), name);
    QCOMPARE(Button(&control, "cmdUpdate")->isEnabled(), updateBefore);
    QVERIFY(Item(control, 9)->isEnabled());
}

void TestControl::updateStateWhileButtonsAreHeld() {
    RegisterAll();
    frmControl control(false);
    control.DisEnableOpts(false);
    control.SetUpdateEnabled(true);
    QVERIFY(!Button(&control, "cmdUpdate")->isEnabled());
    control.LastButtonDone();
    QVERIFY(Button(&control, "cmdUpdate")->isEnabled());
    control.SetUpdateEnabled(false);
    QVERIFY(!Button(&control, "cmdUpdate")->isEnabled());
    control.DisEnableOpts(false);
    control.DisEnableOpts(true);
    QVERIFY(!Button(&control, "cmdUpdate")->isEnabled());
}

void TestControl::backupClick_data() {
    QTest::addColumn<bool>("directory");
    QTest::addColumn<bool>("pattern");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("opens");
    QTest::newRow("nothing") << false << false << false << false;
    QTest::newRow("a directory") << true << false << false << true;
    QTest::newRow("a pattern") << false << true << false << true;
    // Only the reminder's "Start Backup Now" can still ask there.
    QTest::newRow("read-only, from the reminder") << true << true << true << false;
}

void TestControl::backupClick() {
    QFETCH(bool, directory);
    QFETCH(bool, pattern);
    QFETCH(bool, readOnly);
    QFETCH(bool, opens);
    RegisterAll();
    if (directory)
        TheModel().Directories.append(clsDirectory());
    if (pattern)
        TheModel().IncludeAll.append(QStringLiteral("*.doc"));
    frmControl control(false);
    control.SetReadOnlyMode(readOnly);
    control.show();
    if (readOnly) {
        control.Alert()->DoAlert(QStringLiteral("Its backup time!"), 720);
        Button(control.Alert(), "cmdBackup")->click();
    } else {
        Button(&control, "cmdBackup")->click();
    }
    QCOMPARE(backupWindow.isVisible(), opens);
    QCOMPARE(Button(&control, "cmdSetup")->isEnabled(), !opens);
    if (opens)
        QVERIFY(prompt->Texts().isEmpty());
    else if (readOnly)
        QVERIFY(prompt->Texts()[0].startsWith(
            QStringLiteral("You appear to be running this program from write protected media")));
    else
        QCOMPARE(prompt->Texts(),
                 QStringList{QStringLiteral("To make a backup, you must either :\nSelect some "
                                            "directories to back up\nAnd/Or\nEnter some 'Include "
                                            "All' patterns")});
}

void TestControl::closeAsksFirst_data() {
    QTest::addColumn<MsgAnswer>("answer");
    QTest::newRow("no") << MsgAnswer::No;
    QTest::newRow("yes") << MsgAnswer::Yes;
}

void TestControl::closeAsksFirst() {
    QFETCH(MsgAnswer, answer);
    RegisterAll();
    frmControl control(true);
    control.show();
    setupWindow.show();
    prompt->AnswerWhen(QStringLiteral("Really exit?"), answer);
    control.close();
    QCOMPARE(prompt->Texts(), QStringList{QStringLiteral("Really exit?")});
    QCOMPARE(prompt->Prompts().at(0).buttons, MsgButtons::YesNo);
    const bool exits = answer == MsgAnswer::Yes;
    QCOMPARE(control.HasExited(), exits);
    QCOMPARE(control.isVisible(), !exits);
    QCOMPARE(setupWindow.isVisible(), !exits);
    QCOMPARE(Button(&control, "cmdHelp")->isEnabled(), !exits);
    QCOMPARE(Button(&control, "cmdAbout")->isEnabled(), !exits);
    QCOMPARE(control.findChild<QTimer *>(QStringLiteral("tmrCheckInterval"))->isActive(), !exits);
    QVERIFY(!control.Tray()->InTray());
}

void TestControl::trayStateMachine() {
    frmControl control(true);
    control.show();
    SysTray *tray = control.Tray();
    QVERIFY(!tray->RestoreFromTray()); // not in the tray
    QVERIFY(control.isVisible());
    QVERIFY(tray->MinimiseToTray());
    QVERIFY(tray->InTray());
    QVERIFY(!control.isVisible());
    QVERIFY(tray->Icon()->isVisible());
    QCOMPARE(tray->Icon()->toolTip(), QStringLiteral("Quillons Pellmoor"));
    QVERIFY(!tray->MinimiseToTray()); // already there
    QVERIFY(tray->RestoreFromTray());
    QVERIFY(control.isVisible());
    QVERIFY(!control.isMinimized());
    QVERIFY(!tray->InTray());
    QVERIFY(!tray->Icon()->isVisible());
    // Minimising the window sends it to the tray.
    control.setWindowState(Qt::WindowMinimized);
    QVERIFY(tray->InTray());
    QVERIFY(!control.isVisible());
    tray->RestoreFromTray();
    // Maximising is undone; the size stays the load size.
    const QSize loadSize = control.size();
    control.setWindowState(Qt::WindowMaximized);
    QVERIFY(!control.isMaximized());
    QCOMPARE(control.size(), loadSize);
}

void TestControl::minimiseWithoutANotificationArea() {
    frmControl control(false);
    control.show();
    QVERIFY(!control.Tray()->MinimiseToTray());
    control.setWindowState(Qt::WindowMinimized);
    QVERIFY(!control.Tray()->InTray());
    QVERIFY(control.isVisible());
    QVERIFY(control.isMinimized());
}

void TestControl::intervalCheckRaisesTheReminder_data() {
    QTest::addColumn<int>("interval");
    QTest::addColumn<QDate>("lastBackup");
    QTest::addColumn<bool>("backupOpen");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("raised");
    QTest::newRow("monday, due") << 0 << Monday.addDays(-6) << false << false << true;
    QTest::newRow("backup made today") << 0 << Monday << false << false << false;
    QTest::newRow("backup window open") << 0 << Monday.addDays(-6) << true << false << false;
    QTest::newRow("first of month") << -1 << Monday.addDays(-6) << false << false << false;
    QTest::newRow("read-only, due") << 0 << Monday.addDays(-6) << false << true << false;
}

void TestControl::intervalCheckRaisesTheReminder() {
    QFETCH(int, interval);
    QFETCH(QDate, lastBackup);
    QFETCH(bool, backupOpen);
    QFETCH(bool, readOnly);
    QFETCH(bool, raised);
    RegisterAll();
    TheModel().Settings.BackupInterval = interval;
    TheModel().Settings.LastBackupDate = lastBackup;
    if (backupOpen)
        backupWindow.show();
    frmControl control(false);
    control.SetReadOnlyMode(readOnly);
    control.CheckIntervalTick();
    QCOMPARE(control.findChild<QTimer *>(QStringLiteral("tmrCheckInterval"))->interval(), 60000);
    QCOMPARE(control.Alert()->isVisible(), raised);
    QCOMPARE(control.Alert()->Queue().Last(), raised ? 0 : -1);
    QCOMPARE(TheReminderState().ReminderShowing, raised);
    if (raised) {
        QCOMPARE(control.Alert()->Queue().At(0).text, QStringLiteral("Its backup time!"));
        QCOMPARE(control.Alert()->Queue().At(0).ends, 10 * 3600 + 720 * 60.0);
        // Raised once: a second tick while it shows queues nothing more.
        clock->AdvanceSeconds(1000);
        control.CheckIntervalTick();
        QCOMPARE(control.Alert()->Queue().Last(), 0);
    }
}

void TestControl::aboutFromTheMenu() {
    frmControl control(true);
    control.Tray()->MinimiseToTray();
    control.MenuCommand(7);
    QVERIFY(control.About()->isVisible());
    QCOMPARE(control.About()->findChild<QLabel *>(QStringLiteral("lblVersion"))->text(),
             QStringLiteral("06.08.06"));
    control.About()->findChild<QPushButton *>(QStringLiteral("cmdOk"))->click();
    QVERIFY(!control.About()->isVisible());
    prompt->AnswerWhen(QStringLiteral("Really exit?"), MsgAnswer::No);
    control.MenuCommand(9);
    QCOMPARE(prompt->Texts(), QStringList{QStringLiteral("Really exit?")});
    QVERIFY(control.Tray()->InTray());
}

void TestControl::busyWhileTheInformationFileWorks() {
    RegisterAll();
    frmControl control(false);
    control.SetUpdateEnabled(false);
    TempTree tree;
    // A missing file is created while it loads: a save inside the load.
    prompt->Expect(QStringLiteral("Ini file was not found!"));
    LoadIniFile(tree.PathOf(QStringLiteral("Backup.Ini")), true);
    QVERIFY(QFile::exists(tree.PathOf(QStringLiteral("Backup.Ini"))));
    QCOMPARE(control.windowTitle(), QStringLiteral("Quillons Pellmoor - Control Centre"));
    for (const char *name : {"cmdSetup", "cmdBackup", "cmdRestore", "cmdAbout", "cmdExit"})
        QVERIFY2(Button(&control, name)->isEnabled(), name);
    QVERIFY(!Button(&control, "cmdUpdate")->isEnabled());
    control.BeginBusy();
    control.ShowBusyProgress(QStringLiteral("Saving ... 42%"));
    QCOMPARE(control.windowTitle(),
             QStringLiteral("Saving ... 42% - Quillons Pellmoor - Control Centre"));
    QVERIFY(!Button(&control, "cmdAbout")->isEnabled());
    control.EndBusy();
    QVERIFY(Button(&control, "cmdAbout")->isEnabled());
}

void TestControl::aboutIsModalOverTheControlCentre() {
    frmControl control(false);
    control.show();
    bool modal = false;
    QString version;
    QTimer::singleShot(0, [&] {
        modal = QApplication::activeModalWidget() == control.About();
        version = control.About()->findChild<QLabel *>(QStringLiteral("lblVersion"))->text();
        control.About()->findChild<QPushButton *>(QStringLiteral("cmdOk"))->click();
    });
    Button(&control, "cmdAbout")->click();
    QVERIFY(modal);
    QCOMPARE(version, QStringLiteral("06.08.06"));
    QVERIFY(!control.About()->isVisible());
}

void TestControl::menuCommands_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("opens"); // the window that comes up, "update" or "exit"
    QTest::newRow("setup") << 0 << "setup";
    QTest::newRow("update") << 1 << "update";
    QTest::newRow("backup") << 3 << "backup";
    QTest::newRow("restore") << 4 << "restore";
    QTest::newRow("details") << 6 << "details";
    QTest::newRow("about") << 7 << "about";
    QTest::newRow("exit") << 9 << "exit";
}

void TestControl::menuCommands() {
    QFETCH(int, index);
    QFETCH(QString, opens);
    RegisterAll();
    TheModel().Directories.append(clsDirectory());
    frmControl control(true);
    frmSplash splash;
    control.SetSplash(&splash);
    splash.ShowForm();
    control.Tray()->MinimiseToTray();
    if (opens == "exit")
        prompt->AnswerWhen(QStringLiteral("Really exit?"), MsgAnswer::No);
    // The menu's own item, as the user picks it.
    Item(control, index)->trigger();
    QVERIFY(!splash.isVisible());
    const QMap<QString, QWidget *> windows = {{"setup", &setupWindow},
                                              {"backup", &backupWindow},
                                              {"restore", &restoreWindow},
                                              {"details", &detailsWindow},
                                              {"about", control.About()}};
    for (auto it = windows.begin(); it != windows.end(); ++it)
        QVERIFY2(it.value()->isVisible() == (it.key() == opens), qPrintable(it.key()));
    QCOMPARE(updatesStarted.size(), opens == "update" ? 1 : 0);
    QCOMPARE(prompt->Texts(),
             opens == "exit" ? QStringList{QStringLiteral("Really exit?")} : QStringList{});
    // A window opened from the menu holds the buttons as one opened from its button does.
    const bool holds =
        opens == "setup" || opens == "backup" || opens == "restore" || opens == "details";
    QCOMPARE(Button(&control, "cmdExit")->isEnabled(), !holds);
    QCOMPARE(Item(control, 9)->isEnabled(), !holds);
    QVERIFY(control.Tray()->InTray());
    control.About()->hide();
}

void TestControl::doubleClickOnTheIconRestores_data() {
    QTest::addColumn<QSystemTrayIcon::ActivationReason>("reason");
    QTest::addColumn<bool>("restores");
    QTest::newRow("double-click") << QSystemTrayIcon::DoubleClick << true;
    QTest::newRow("single click") << QSystemTrayIcon::Trigger << false;
    QTest::newRow("right button") << QSystemTrayIcon::Context << false;
    QTest::newRow("middle button") << QSystemTrayIcon::MiddleClick << false;
}

void TestControl::doubleClickOnTheIconRestores() {
    QFETCH(QSystemTrayIcon::ActivationReason, reason);
    QFETCH(bool, restores);
    frmControl control(true);
    control.show();
    control.setWindowState(Qt::WindowMinimized);
    QVERIFY(control.Tray()->InTray());
    QCOMPARE(control.Tray()->Icon()->contextMenu(), control.PopupMenu());
    Q_EMIT control.Tray()->Icon()->activated(reason);
    QCOMPARE(control.isVisible(), restores);
    QCOMPARE(control.Tray()->InTray(), !restores);
    QCOMPARE(control.Tray()->Icon()->isVisible(), !restores);
    if (restores) {
        QVERIFY(!control.isMinimized());
        // Brought to the front, not kept there.
        QVERIFY(!control.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }
}

void TestControl::focusReturnsToTheLastButton() {
    RegisterAll();
    frmControl control(false);
    control.show();
    control.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&control));
    Button(&control, "cmdRestore")->click();
    QVERIFY(restoreWindow.isVisible());
    Button(&control, "cmdAbout")->setFocus();
    restoreWindow.hide();
    QVERIFY(Button(&control, "cmdRestore")->hasFocus());
}

void TestControl::helpLeavesTheButtonsAlone() {
    RegisterAll();
    frmControl control(false);
    control.show();
    QVERIFY(Button(&control, "cmdHelp")->isEnabled());
    Button(&control, "cmdHelp")->click();
    QVERIFY(helpWindow.isVisible());
    for (const char *name : {"cmdSetup", "cmdUpdate", "cmdBackup", "cmdRestore", "cmdExit"})
        QVERIFY2(Button(&control, name)->isEnabled(), name);
}

QTEST_MAIN(TestControl)
#include "tst_control.moc"
