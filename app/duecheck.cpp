#include "duecheck.h"

namespace {

// The date the model calls zero: a never-made backup counts from it.
const QDate ZeroDate(1899, 12, 30);

} // namespace

ReminderState &TheReminderState() {
    static ReminderState state;
    return state;
}

bool IsBackupDue(const SettingsRecord &settings, const QDate &today) {
    const int interval = settings.BackupInterval;
    if (interval == 0)
        return today.dayOfWeek() == Qt::Monday;
    if (interval == -1)
        return today.day() == 1;
    if (interval < 0)
        return false;
    const QDate last = settings.LastBackupDate.isValid() ? settings.LastBackupDate : ZeroDate;
    return last.daysTo(today) > interval;
}

QDate NextDueDate(const SettingsRecord &settings, const QDate &today) {
    // Every interval falls due within a month and a half of days, or never.
    for (int day = 0; day <= 400; ++day) {
        const QDate date = today.addDays(day);
        if (date != settings.LastBackupDate && IsBackupDue(settings, date))
            return date;
    }
    return {};
}

bool CheckInterval(const SettingsRecord &settings, ReminderState &state, const QDate &today,
                   double now, bool backupWindowVisible) {
    if (settings.RemindFromDate.isValid() && today < settings.RemindFromDate)
        return false;
    if (today == settings.LastBackupDate || backupWindowVisible)
        return false;
    // Compared in single precision, as the times were always kept.
    const float nowF = float(now);
    const float lastF = float(state.LastReminderTime);
    if (!(lastF > nowF || nowF - lastF > 900.0f))
        return false;
    if (!IsBackupDue(settings, today))
        return false;
    state.LastReminderTime = now;
    if (state.ReminderShowing)
        return false;
    state.ReminderShowing = true;
    return true;
}
