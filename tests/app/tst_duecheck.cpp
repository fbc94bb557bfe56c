// When the interval check raises the backup reminder.
#include "duecheck.h"

#include <QtTest>

namespace {

// 7 December 2026 is a Monday.
const QDate Monday(2026, 12, 7);

} // namespace

class TestDueCheck : public QObject {
    Q_OBJECT
private slots:
    void dueRule_data();
    void dueRule();
    void intervalCheck_data();
    void intervalCheck();
    void everyMondayAcrossTheDay();
};

void TestDueCheck::dueRule_data() {
    QTest::addColumn<int>("interval");
    QTest::addColumn<QDate>("lastBackup");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<bool>("due");
    QTest::newRow("monday on a monday") << 0 << Monday.addDays(-6) << Monday << true;
    QTest::newRow("monday on a tuesday") << 0 << Monday.addDays(-6) << Monday.addDays(1) << false;
    QTest::newRow("first of month on the 1st")
        << -1 << QDate(2026, 11, 3) << QDate(2027, 1, 1) << true;
    QTest::newRow("first of month on the 2nd")
        << -1 << QDate(2026, 11, 3) << QDate(2027, 1, 2) << false;
    QTest::newRow("3 days, three ago") << 3 << Monday.addDays(-3) << Monday << false;
    QTest::newRow("3 days, four ago") << 3 << Monday.addDays(-4) << Monday << true;
    QTest::newRow("everyday, yesterday") << 1 << Monday.addDays(-1) << Monday << false;
    QTest::newRow("everyday, two days ago") << 1 << Monday.addDays(-2) << Monday << true;
    QTest::newRow("never backed up") << 30 << QDate() << Monday << true;
}

void TestDueCheck::dueRule() {
    QFETCH(int, interval);
    QFETCH(QDate, lastBackup);
    QFETCH(QDate, today);
    QFETCH(bool, due);
    SettingsRecord settings;
    settings.BackupInterval = interval;
    settings.LastBackupDate = lastBackup;
    QCOMPARE(IsBackupDue(settings, today), due);
}

void TestDueCheck::intervalCheck_data() {
    QTest::addColumn<QDate>("lastBackup");
    QTest::addColumn<QDate>("remindFrom");
    QTest::addColumn<double>("lastReminder");
    QTest::addColumn<double>("now");
    QTest::addColumn<bool>("backupWindowOpen");
    QTest::addColumn<bool>("showing");
    QTest::addColumn<bool>("queued");
    QTest::addColumn<double>("lastReminderAfter");
    const QDate lastTuesday = Monday.addDays(-6);
    const double ten = 10 * 3600;
    QTest::newRow("due") << lastTuesday << Monday << 0.0 << ten << false << false << true << ten;
    QTest::newRow("backup made today")
        << Monday << Monday << 0.0 << ten << false << false << false << 0.0;
    QTest::newRow("tell me tomorrow")
        << lastTuesday << Monday.addDays(1) << 0.0 << ten << false << false << false << 0.0;
    QTest::newRow("backup window open")
        << lastTuesday << Monday << 0.0 << ten << true << false << false << 0.0;
    QTest::newRow("14 minutes after the last")
        << lastTuesday << Monday << ten - 840 << ten << false << false << false << ten - 840;
    QTest::newRow("exactly 15 minutes")
        << lastTuesday << Monday << ten - 900 << ten << false << false << false << ten - 900;
    QTest::newRow("16 minutes after the last")
        << lastTuesday << Monday << ten - 960 << ten << false << false << true << ten;
    QTest::newRow("midnight passed since")
        << lastTuesday << Monday << 86000.0 << 60.0 << false << false << true << 60.0;
    QTest::newRow("previous still on screen")
        << lastTuesday << Monday << ten - 960 << ten << false << true << false << ten;
}

void TestDueCheck::intervalCheck() {
    QFETCH(QDate, lastBackup);
    QFETCH(QDate, remindFrom);
    QFETCH(double, lastReminder);
    QFETCH(double, now);
    QFETCH(bool, backupWindowOpen);
    QFETCH(bool, showing);
    QFETCH(bool, queued);
    QFETCH(double, lastReminderAfter);
    SettingsRecord settings;
    settings.BackupInterval = 0;
    settings.LastBackupDate = lastBackup;
    settings.RemindFromDate = remindFrom;
    ReminderState state{lastReminder, showing};
    QCOMPARE(CheckInterval(settings, state, Monday, now, backupWindowOpen), queued);
    QCOMPARE(state.LastReminderTime, lastReminderAfter);
    QCOMPARE(state.ReminderShowing, queued || showing);
}

void TestDueCheck::everyMondayAcrossTheDay() {
    SettingsRecord settings;
    settings.BackupInterval = 0;
    settings.LastBackupDate = Monday.addDays(-6);
    settings.RemindFromDate = Monday;
    ReminderState state;
    QVERIFY(CheckInterval(settings, state, Monday, 9 * 3600, false));
    // Dismissed: the reminder leaves the screen; a quarter of an hour later it comes again.
    state.ReminderShowing = false;
    QVERIFY(!CheckInterval(settings, state, Monday, 9 * 3600 + 600, false));
    QVERIFY(CheckInterval(settings, state, Monday, 9 * 3600 + 1000, false));
    state.ReminderShowing = false;
    // A backup that Monday silences it until the next Monday.
    settings.LastBackupDate = Monday;
    QVERIFY(!CheckInterval(settings, state, Monday, 20 * 3600, false));
    for (int day = 1; day < 7; ++day)
        QVERIFY(!CheckInterval(settings, state, Monday.addDays(day), 12 * 3600, false));
    QVERIFY(CheckInterval(settings, state, Monday.addDays(7), 12 * 3600, false));
}

QTEST_GUILESS_MAIN(TestDueCheck)
#include "tst_duecheck.moc"
