#pragma once
// Puts back the files an update replaced, from the ".Old" copies it kept.

#include <QStringList>

// The program's own files an update may have replaced, as this build names them: the program,
// the download control and the package tool. The zip library is linked into the programs, so it
// has no file of its own to roll back. Used when no rollback list names the files.
QStringList RollbackList();

// Rolls back every file the rollback list names (the fixed list when there is none), gives the
// installed version back to the one before that update, sets the update flags and reports what
// happened.
void RollBackUpdate();
