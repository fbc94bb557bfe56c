#pragma once
// The three flags the program and its updater share in the per-user settings store.

#include <QString>

inline constexpr char FlagFirstRunAfterUpdate[] = "FirstRunAfterUpdate";
inline constexpr char FlagErrorAfterUpdate[] = "ErrorAfterUpdate";
inline constexpr char FlagRolledBack[] = "RolledBack";

// Absent reads as false; "True" in any letter case is true.
bool GetFlag(const QString &key);
void SetFlag(const QString &key, bool value);

// The updater's name in the program directory, its pending replacement and its kept copy.
QString UpdaterPath();
QString UpdaterReplacementPath();
QString UpdaterOldPath();

// Puts a pending updater in place and says so. Returns false when none was pending.
bool FinishUpdaterReplacement();

enum class UpdateCheck { Normal, RollbackStarted };
// When the previous start after an update broke off, hands over to the updater's rollback.
UpdateCheck DetectFailedUpdate();
