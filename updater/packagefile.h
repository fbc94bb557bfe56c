#pragma once
// The update package named on the command line.

#include <QString>

// The path the command line names: one leading and one trailing double quote dropped, a bare name
// taken in the program directory.
QString PackagePathFrom(const QString &argument);

// Deletes a consumed package. Only a file named *.Upk is ever deleted, so that a mistyped command
// line naming some other file costs nothing.
void DeletePackage(const QString &path);
