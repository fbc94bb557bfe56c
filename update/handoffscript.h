#pragma once
// The small script that hands an update package to the updater: it changes to the program
// directory, starts the updater with the package and empties itself. The updater then waits
// for this program to end, so the script is started and the program ends at once.

#include <QByteArray>
#include <QString>

// "aofc09n2.bat" in the current working directory.
QString HandOffScriptPath();

// The script's text for the program directory (ending in its separator) and the script's own
// path, which it overwrites with "*" once the updater is on its way. forced: the user forced the
// update, and the updater is told so ("Refitter -force Backup.Upk").
QByteArray HandOffScriptText(const QString &programDirectory, const QString &scriptPath,
                             bool forced);

// Writes the script and starts it without waiting. False, with nothing started, when the script
// cannot be written or started.
bool StartHandOff(const QString &programDirectory, const QString &scriptPath, bool forced);
