#pragma once
// Folders made from the directory window: the names a new folder may take, the offer to make a
// directory that does not exist, and the making itself. No widgets.

#include <QString>

// Why no folder called name can be made inside parent (ending in the separator), or an empty
// text when one can.
QString NewFolderRefusal(const QString &parent, const QString &name);

// Makes the folder, with every missing level above it when withParents; a failure is shown.
bool MakeFolder(const QString &path, bool withParents);

// Asks whether a directory that does not exist is to be made; Yes makes it with every missing
// level. False when the user said No or it could not be made (which was shown); true when it
// exists now, or names no place that could be made (a relative path), which is for the caller
// to report.
bool OfferToCreate(const QString &dir);
