#pragma once
// The updater: waits for Backup to end, installs an update package or rolls the last update
// back, then starts Backup again. The program Refitter is a thin main around this.

#include "backupwait.h"

#include <QString>

struct RefitterRun {
    bool succeeded = false;     // the update or rollback was done
    bool backupStarted = false; // Backup was started again at the end
};

// commandLine: the whole text after the program's name; empty, "-rollback" or a package path.
RefitterRun RunRefitter(const QString &commandLine, const Pause &pause);
