#pragma once
// The program's own information file: Backup.Ini in the program directory, unless a caller (the
// command line's --ini) names another one for this process.

#include <QString>

QString ProgramIniPath();
// An empty path restores the default.
void SetProgramIniPath(const QString &path);
