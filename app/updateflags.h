#pragma once
// Start-up's side of the update flags: the updater's pending replacement and the failed-update
// check.

#include "updateflagstore.h"

#include <QString>

// The updater's name in the program directory, its pending replacement and its kept copy.
QString UpdaterPath();
QString UpdaterReplacementPath();
QString UpdaterOldPath();

// Puts a pending updater in place and says so. Returns false when none was pending.
bool FinishUpdaterReplacement();

enum class UpdateCheck { Normal, RollbackStarted };
// When the previous start after an update broke off, hands over to the updater's rollback.
UpdateCheck DetectFailedUpdate();
