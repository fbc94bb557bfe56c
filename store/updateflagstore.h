#pragma once
// The three flags the program and its updater share in the per-user settings store. Both
// programs read and write them, so they live beside the settings store rather than in either.

#include <QString>

inline constexpr char FlagFirstRunAfterUpdate[] = "FirstRunAfterUpdate";
inline constexpr char FlagErrorAfterUpdate[] = "ErrorAfterUpdate";
inline constexpr char FlagRolledBack[] = "RolledBack";

// Absent reads as false; "True" in any letter case is true.
bool GetFlag(const QString &key);
void SetFlag(const QString &key, bool value);
