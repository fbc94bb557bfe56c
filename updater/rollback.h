#pragma once
// Puts back the files an update replaced, from the ".Old" copies it kept.

#include <QStringList>

// The program's own files an update may have replaced, as this build names them: the program,
// the download control and the package tool. The zip library is linked into the programs, so it
// has no file of its own to roll back.
QStringList RollbackList();

// Rolls every file of the list back, sets the update flags and reports what happened.
void RollBackUpdate();
