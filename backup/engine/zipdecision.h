#pragma once
// Which files are worth zipping.

#include <QString>

// The extensions that hardly shrink, each a bare lower-case extension between semicolons.
const QString &NoZipList();

// The key looked up in the no-zip list: ";" + lower-cased extension + ";", or "*" when the name
// has no dot or the list is not used.
QString ZipKey(const QString &name, bool useNoZipList);

// Whether a file of that name is zipped.
bool WorthZipping(const QString &name, bool useNoZipList);
