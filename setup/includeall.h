#pragma once
// The "Include All" patterns of the model: one pattern per entry, unique without regard to
// letter case, and the common groups the setup window offers.

#include <QString>
#include <QStringList>

// Whether some stored pattern equals this one, ignoring letter case.
bool ExistsExt(const QString &pattern);
// Validates the pattern list, then appends each of its patterns that is not stored yet.
void AddExt(const QString &patterns);
// Removes the pattern at index; later ones move down.
void RemoveExt(int index);

// The names of the common groups, in list order, and the patterns of the group at a position.
QStringList CommonGroupNames();
QString CommonGroupPatterns(int position);
