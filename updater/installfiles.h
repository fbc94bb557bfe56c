#pragma once
// Replaces the program's files with those of a package as one step: every new file is first
// written beside its target, the targets are swapped in only when all are written, and only then
// do the replaced files become the kept copies (target + ".Old") of the new rollback point,
// listed in the rollback list. Any failure on the way puts every file back as it was, the kept
// copies and the list of the previous update included.

#include "rollbacklist.h"

#include <QList>
#include <QString>

class QFile;

struct PackageFile {
    QString path;      // where the new bytes go, inside the program directory
    QString name;      // as the rollback list names it, relative to the program directory
    bool keep = true;  // whether a file at path is kept (not so the updater's waiting copy)
    qint64 offset = 0; // of its bytes in the body file
    qint64 length = 0;
};

// Copies each file's bytes from body in blocks. next holds the versions for the new rollback
// list; its replaced names are filled in here. A failure is reported with the file and the
// error. False after such a failure.
bool InstallFiles(const QList<PackageFile> &files, QFile &body, RollbackRecord next);
