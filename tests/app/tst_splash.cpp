// The splash window: held until start-up allows it, then hidden by its timer, a click or a menu
// command, showing what follows it once.
#include "SysTray.h"
#include "frmAbout.h"
#include "frmControl.h"
#include "frmSplash.h"
#include "scriptedprompt.h"

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

QTEST_MAIN(TestSplash)
#include "tst_splash.moc"
