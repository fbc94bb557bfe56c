#pragma once
// The updater: waits for Backup to end, installs an update package or rolls the last update
// back, then starts Backup again. The program Refitter is a thin main around this.

#include "backupwait.h"

#include <QString>

struct RefitterRun {
    bool succeeded = false;     // the update or rollback was done
    bool backupStarted = false; // Backup was started again at the end
};

// The leading word of a forced update's command line: "-force Backup.Upk".
inline constexpr char ForceSwitch[] = "-force";

// commandLine: the whole text after the program's name; empty, "-rollback", or a package path
// with "-force" before it when the update was forced.
RefitterRun RunRefitter(const QString &commandLine, const Pause &pause);
