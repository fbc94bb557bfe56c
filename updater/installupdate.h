#pragma once
// Installs an update package into the program directory.

#include <QString>

// Unpacks the package, checks its body and writes its files, keeping each replaced file as
// ".Old". Every failure is reported; one found before the first file is touched changes nothing.
// True when the update was installed.
bool InstallUpdate(const QString &packagePath);
