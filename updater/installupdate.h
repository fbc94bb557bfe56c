#pragma once
// Installs an update package into the program directory.

#include <QString>

// Checks the package against the version file handed over with it, refuses one that is not newer
// than the installed version unless forced, unpacks it and installs its files, keeping each
// replaced file as ".Old" for a rollback. Every failure is reported and leaves the installed
// files as they were. True when the update was installed.
bool InstallUpdate(const QString &packagePath, bool forced);
