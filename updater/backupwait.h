#pragma once
// The updater may only touch the program's files once Backup has ended.

#include <QString>

#include <functional>

// Pauses between tries; the real one sleeps, tests count the pauses instead.
using Pause = std::function<void(int milliseconds)>;

inline constexpr int BackupWaitInterval = 500; // ms between tries
inline constexpr int BackupWaitPatience = 60;  // tries before the user is asked

// Tries every half second until the program directory's Backup is no longer running. After 60
// failed tries every further one asks whether to go on. False when the user chose Cancel.
bool WaitForBackupToEnd(const Pause &pause);
