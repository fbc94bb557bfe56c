// The reminder window: sliding in and out, its buttons, the retry while a blocking window is
// open, expiry and the queue.
#include "appwindows.h"
#include "duecheck.h"
#include "fixedclock.h"
#include "frmAlert.h"
#include "frmControl.h"
#include "model.h"
#include "scriptedprompt.h"
#include "windowlook.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

const QDate Monday(2026, 12, 7);

QTimer *Timer(frmAlert &alert, const char *name) {
    return alert.findChild<QTimer *>(QString::fromLatin1(name));
}

QString Shown(frmAlert &alert) {
    return alert.findChild<QLineEdit *>(QStringLiteral("txtAlert"))->text();
}

// Runs the slide-in steps, checking each moves by one fiftieth of the height.
int SlideIn(frmAlert &alert) {
    int steps = 0;
    while (Timer(alert, "tmrShow")->isActive() && steps < 1000) {
        Timer(alert, "tmrShow")->stop();
        const int before = alert.TopOffset();
        alert.ShowStep();
        const int expected = qMin(0, before + alert.Step());
        if (alert.TopOffset() != expected)
            return -1;
        ++steps;
    }
    return steps;
}

void SlideOut(frmAlert &alert) {
    for (int steps = 0; Timer(alert, "tmrHide")->isActive() && steps < 1000; ++steps) {
        Timer(alert, "tmrHide")->stop();
        alert.HideStep();
    }
}

} // namespace

class TestAlert : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void captions_data();
    void captions();
    void slidesInAndOut();
    void buttons_data();
    void buttons();
    void startBackupWithNothingToBackUp();
    void waitsForABlockingWindow_data();
    void waitsForABlockingWindow();
    void expiresByItself_data();
    void expiresByItself();
    void nextAlertFollows();

private:
    std::unique_ptr<ScriptedPrompt> prompt;
    std::unique_ptr<FixedClock> clock;
    QWidget blockingWindow;
    int backups = 0;
};

void TestAlert::init() {
    prompt = std::make_unique<ScriptedPrompt>();
    clock = std::make_unique<FixedClock>(QDateTime(Monday, QTime(10, 0)));
    ResetSettings();
    TheModel().Settings.RemindFromDate = Monday;
    TheReminderState() = ReminderState();
    backups = 0;
}

void TestAlert::cleanup() {
    for (AppWindow which : {AppWindow::Setup, AppWindow::Backup, AppWindow::Restore})
        RegisterAppWindow(which, nullptr);
    blockingWindow.hide();
    clock.reset();
    prompt.reset();
}

void TestAlert::captions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("ok") << "cmdOk"
                        << "Hide For Now";
    QTest::newRow("tomorrow") << "cmdTomorrow"
                              << "Tell Me Tomorrow";
    QTest::newRow("backup") << "cmdBackup"
                            << "Start Backup Now";
    // The window has no title bar: the reminder names its program itself.
    QTest::newRow("program") << "lblProgram"
                             << "Quillons Pellmoor";
}

void TestAlert::captions() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    frmAlert alert({});
    QAbstractButton *button = alert.findChild<QAbstractButton *>(name);
    QLabel *label = alert.findChild<QLabel *>(name);
    QVERIFY(button || label);
    QCOMPARE(button ? button->text() : label->text(), caption);
    SaveShot(alert, QStringLiteral("frmAlert"));
    QCOMPARE(Shown(alert), QStringLiteral("Its Backup Time!"));
    for (const char *timer : {"tmrShow", "tmrHide", "tmrCheckEnds", "tmrTryAgain"})
        QVERIFY2(!Timer(alert, timer)->isActive(), timer);
}

void TestAlert::slidesInAndOut() {
    frmAlert alert({});
    alert.DoAlert(QStringLiteral("Its backup time!"), 720);
    QVERIFY(alert.isVisible());
    QVERIFY(alert.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(alert.TopOffset(), -alert.height());
    QVERIFY(Timer(alert, "tmrCheckEnds")->isActive());
    const int steps = SlideIn(alert);
    QCOMPARE(steps, (alert.height() + alert.Step() - 1) / alert.Step());
    QCOMPARE(alert.TopOffset(), 0);
    QCOMPARE(Shown(alert), QStringLiteral("Its backup time!"));
    TheReminderState().ReminderShowing = true;
    alert.findChild<QPushButton *>(QStringLiteral("cmdOk"))->click();
    QVERIFY(Timer(alert, "tmrHide")->isActive());
    SlideOut(alert);
    QVERIFY(!alert.isVisible());
    QVERIFY(!alert.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(alert.Queue().IsEmpty());
    QVERIFY(!TheReminderState().ReminderShowing);
}

void TestAlert::buttons_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QDate>("remindFrom");
    QTest::addColumn<int>("backupsStarted");
    QTest::newRow("hide for now") << "cmdOk" << Monday << 0;
    QTest::newRow("tell me tomorrow") << "cmdTomorrow" << Monday.addDays(1) << 0;
    QTest::newRow("start backup now") << "cmdBackup" << Monday << 1;
}

void TestAlert::buttons() {
    QFETCH(QString, button);
    QFETCH(QDate, remindFrom);
    QFETCH(int, backupsStarted);
    frmAlert alert([this] { ++backups; });
    alert.DoAlert(QStringLiteral("Its backup time!"), 720);
    alert.findChild<QPushButton *>(button)->click();
    // It slides out at once, mid-way or not.
    QVERIFY(!Timer(alert, "tmrShow")->isActive());
    QVERIFY(Timer(alert, "tmrHide")->isActive());
    QCOMPARE(TheModel().Settings.RemindFromDate, remindFrom);
    QCOMPARE(backups, backupsStarted);
}

void TestAlert::startBackupWithNothingToBackUp() {
    frmControl control(false);
    frmAlert &alert = *control.Alert();
    alert.DoAlert(QStringLiteral("Its backup time!"), 720);
    alert.findChild<QPushButton *>(QStringLiteral("cmdBackup"))->click();
    QCOMPARE(prompt->Texts().size(), 1);
    QVERIFY(prompt->Texts()[0].startsWith(QStringLiteral("To make a backup, you must either :")));
    SlideOut(alert);
    QVERIFY(!alert.isVisible());
}

void TestAlert::waitsForABlockingWindow_data() {
    QTest::addColumn<AppWindow>("blocking");
    QTest::newRow("setup") << AppWindow::Setup;
    QTest::newRow("backup") << AppWindow::Backup;
    QTest::newRow("restore") << AppWindow::Restore;
}

void TestAlert::waitsForABlockingWindow() {
    QFETCH(AppWindow, blocking);
    RegisterAppWindow(blocking, &blockingWindow);
    blockingWindow.show();
    frmAlert alert({});
    alert.DoAlert(QStringLiteral("Its backup time!"), 720);
    QVERIFY(!alert.isVisible());
    QVERIFY(Timer(alert, "tmrTryAgain")->isActive());
    QCOMPARE(Timer(alert, "tmrTryAgain")->interval(), 60000);
    Timer(alert, "tmrTryAgain")->stop();
    alert.TryAgainTick();
    QVERIFY(!alert.isVisible());
    QVERIFY(Timer(alert, "tmrTryAgain")->isActive());
    blockingWindow.hide();
    Timer(alert, "tmrTryAgain")->stop();
    alert.TryAgainTick();
    QVERIFY(alert.isVisible());
    QVERIFY(!Timer(alert, "tmrTryAgain")->isActive());
}

void TestAlert::expiresByItself_data() {
    QTest::addColumn<QTime>("queuedAt");
    QTest::addColumn<int>("secondsLater");
    QTest::addColumn<bool>("expired");
    QTest::newRow("11:59 later") << QTime(10, 0) << 719 * 60 << false;
    QTest::newRow("12:01 later") << QTime(10, 0) << 721 * 60 << true;
    QTest::newRow("across midnight, 11:59 later") << QTime(22, 0) << 719 * 60 << false;
    QTest::newRow("across midnight, 12:01 later") << QTime(22, 0) << 721 * 60 << true;
}

void TestAlert::expiresByItself() {
    QFETCH(QTime, queuedAt);
    QFETCH(int, secondsLater);
    QFETCH(bool, expired);
    clock->Set(QDateTime(Monday, queuedAt));
    frmAlert alert({});
    alert.DoAlert(QStringLiteral("Its backup time!"), 720);
    SlideIn(alert);
    // The once-a-second check, seen every half hour (midnight among them).
    for (int passed = 0; passed < secondsLater; passed += qMin(1800, secondsLater - passed)) {
        clock->AdvanceSeconds(qMin(1800, secondsLater - passed));
        Timer(alert, "tmrCheckEnds")->stop();
        alert.CheckEndsTick();
    }
    QCOMPARE(Timer(alert, "tmrHide")->isActive(), expired);
    SlideOut(alert);
    QCOMPARE(alert.isVisible(), !expired);
    QCOMPARE(alert.Queue().IsEmpty(), expired);
    // The check stops once nothing is left to expire.
    Timer(alert, "tmrCheckEnds")->stop();
    alert.CheckEndsTick();
    QCOMPARE(Timer(alert, "tmrCheckEnds")->isActive(), !expired);
}

void TestAlert::nextAlertFollows() {
    frmAlert alert({});
    alert.DoAlert(QStringLiteral("second"), 60);
    SlideIn(alert);
    alert.DoAlert(QStringLiteral("first to expire"), 30);
    // The one on screen stays; the new one waits its turn.
    QCOMPARE(Shown(alert), QStringLiteral("second"));
    alert.findChild<QPushButton *>(QStringLiteral("cmdOk"))->click();
    SlideOut(alert);
    QVERIFY(alert.isVisible());
    QCOMPARE(Shown(alert), QStringLiteral("first to expire"));
    QCOMPARE(alert.Queue().Last(), 0);
}

QTEST_MAIN(TestAlert)
#include "tst_alert.moc"
