#pragma once
// Whether the program can write to its own directory (it cannot when run from a CD).

#include <QString>

// Creates and deletes a probe file in dir. The probe is "test", or "test1", "test2"... when a
// file of that name is already there: a user's own file is never touched.
bool CanWriteTo(const QString &dir);
