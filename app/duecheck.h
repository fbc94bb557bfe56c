#pragma once
// When a backup is due, and when the interval check may raise the reminder.

#include "model.h"

#include <QDate>

// Held in memory only, for the life of the program.
struct ReminderState {
    double LastReminderTime = 0; // seconds since midnight when the reminder was last raised
    bool ReminderShowing = false;
};
ReminderState &TheReminderState();

inline constexpr char ReminderText[] = "Its backup time!";
inline constexpr int ReminderMinutes = 720;

// The due rule of BackupInterval alone: 0 Mondays, -1 the first of the month, N more than N
// day boundaries since the last backup.
bool IsBackupDue(const SettingsRecord &settings, const QDate &today);

// The first day from today on which the reminder would come: due by the interval and not the
// day of the last backup. Null when the interval never falls due.
QDate NextDueDate(const SettingsRecord &settings, const QDate &today);

// One tick of the interval check. Returns true when the reminder is to be queued now; the
// state is updated as raising it requires.
bool CheckInterval(const SettingsRecord &settings, ReminderState &state, const QDate &today,
                   double now, bool backupWindowVisible);
