// The splash window: held until start-up allows it, then hidden by its timer, a click or a menu
// command, showing what follows it once: the control centre, the restore window, or nothing but
// the icon in the notification area.
#include "SysTray.h"
#include "appwindows.h"
#include "followup.h"
#include "frmAbout.h"
#include "frmControl.h"
#include "frmSplash.h"
#include "scriptedprompt.h"
#include "startup.h"

#include <QLabel>
#include <QTimer>
#include <QtTest>

class TestSplash : public QObject {
    Q_OBJECT
private slots:
    void showsTheVersion();
    void hides_data();
    void hides();
    void menuCommandHidesItFirst();
    void whatFollowsIt_data();
    void whatFollowsIt();
};

void TestSplash::showsTheVersion() {
    frmSplash splash;
    splash.ShowForm();
    QVERIFY(splash.isVisible());
    QVERIFY(splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(splash.findChild<QLabel *>(QStringLiteral("lblVersion"))->text(),
             QStringLiteral("Version 06.08.06"));
    auto *timer = splash.findChild<QTimer *>(QStringLiteral("tmrHideSplash"));
    QCOMPARE(timer->interval(), 3000);
    QVERIFY(!timer->isActive());
}

void TestSplash::hides_data() {
    QTest::addColumn<QString>("where"); // what is clicked
    QTest::newRow("window") << "";
    QTest::newRow("logo") << "picLogo";
    QTest::newRow("version label") << "lblVersion";
}

void TestSplash::hides() {
    QFETCH(QString, where);
    frmSplash splash;
    int followUps = 0;
    splash.SetFollowUp([&] { ++followUps; });
    splash.ShowForm();
    QWidget *target = where.isEmpty() ? &splash : splash.findChild<QWidget *>(where);
    QVERIFY(target);
    QTest::mouseClick(target, Qt::LeftButton);
    QVERIFY(splash.isVisible()); // start-up has not finished
    QCOMPARE(followUps, 0);
    splash.AllowHide();
    QVERIFY(splash.findChild<QTimer *>(QStringLiteral("tmrHideSplash"))->isActive());
    QTest::mouseClick(target, Qt::LeftButton);
    QVERIFY(!splash.isVisible());
    QVERIFY(!splash.findChild<QTimer *>(QStringLiteral("tmrHideSplash"))->isActive());
    QCOMPARE(followUps, 1);
    splash.HideSplash();
    QCOMPARE(followUps, 1);
}

void TestSplash::menuCommandHidesItFirst() {
    ScriptedPrompt prompt;
    frmControl control(true);
    frmSplash splash;
    control.SetSplash(&splash);
    splash.ShowForm();
    control.Tray()->MinimiseToTray();
    control.MenuCommand(7);
    QVERIFY(!splash.isVisible());
    QVERIFY(control.About()->isVisible());
}

void TestSplash::whatFollowsIt_data() {
    QTest::addColumn<StartupOutcome>("outcome");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("tray");          // a notification area exists
    QTest::addColumn<bool>("restoreWindow"); // the restore window exists
    QTest::addColumn<QString>("after");      // "control", "minimised", "tray" or "restore"
    QTest::newRow("control centre")
        << StartupOutcome::ShowControl << false << true << true << "control";
    QTest::newRow("read only") << StartupOutcome::ShowControl << true << true << true << "control";
    QTest::newRow("to the tray") << StartupOutcome::ToTray << false << true << true << "tray";
    QTest::newRow("no notification area")
        << StartupOutcome::ToTray << false << false << true << "minimised";
    QTest::newRow("restore") << StartupOutcome::ShowRestore << false << true << true << "restore";
    QTest::newRow("restore window not built")
        << StartupOutcome::ShowRestore << false << true << false << "control";
}

void TestSplash::whatFollowsIt() {
    QFETCH(StartupOutcome, outcome);
    QFETCH(bool, readOnly);
    QFETCH(bool, tray);
    QFETCH(bool, restoreWindow);
    QFETCH(QString, after);
    QWidget restore;
    if (restoreWindow)
        RegisterAppWindow(AppWindow::Restore, &restore);
    frmControl control(tray);
    frmSplash splash;
    control.SetSplash(&splash);
    splash.ShowForm();
    StartupResult result;
    result.outcome = outcome;
    result.readOnly = readOnly;
    ShowWhatStartupDecided(result, control, splash);
    QVERIFY(splash.HideAllowed());
    // Only the tray icon comes before the splash has gone.
    QVERIFY(!control.isVisible());
    QCOMPARE(control.Tray()->InTray(), after == "tray");
    splash.HideSplash();
    QCOMPARE(control.isVisible(), after == "control" || after == "minimised");
    QCOMPARE(control.isMinimized(), after == "minimised");
    QCOMPARE(restore.isVisible(), after == "restore");
    QCOMPARE(control.findChild<QWidget *>(QStringLiteral("lblReadOnly"))->isVisibleTo(&control),
             readOnly);
    QCOMPARE(control.findChild<QWidget *>(QStringLiteral("cmdSetup"))->isVisibleTo(&control),
             !readOnly);
    RegisterAppWindow(AppWindow::Restore, nullptr);
}

QTEST_MAIN(TestSplash)
#include "tst_splash.moc"
