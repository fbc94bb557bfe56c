#pragma once
// pellmoor as a scheduler or script runs it: a real process, its output and exit status, and a
// program directory of its own that backs up a data folder to a hard-disk folder.

#include "programrun.h"
#include "temptree.h"

#include <QTemporaryDir>

#include <QString>
#include <QStringList>

// Runs the built pellmoor, or the copy at program.
Run Pellmoor(const QStringList &arguments, const QString &program = QString());

// A program directory: pellmoor, the companion files every medium carries, and an information
// file that backs up data/ (a.txt and sub/b.bin, plus what extra describes) to backups/.
struct BackupSetup {
    explicit BackupSetup(const QString &settings = QStringLiteral("1|0|-1|-1|-1|16384|5|HDD"),
                         const QStringList &extra = {});

    Run Backup(const QStringList &arguments = {});
    Run Restore(const QStringList &arguments);
    QString Ini() const { return tree.PathOf(QStringLiteral("prog/Backup.Ini")); }
    // Where a file of data/ lands below a restore folder that keeps the directory structure,
    // relative to the tree.
    QString Restored(const QString &restoreTo, const QString &relative) const;

    TempTree tree;
    QString program;
};

// The machine's own mounts are no part of these tests: while it lives, the drive list that
// pellmoor sees is one empty folder.
class EmptyDriveList {
public:
    EmptyDriveList();
    ~EmptyDriveList();
    bool IsValid() const { return drive.isValid(); }

private:
    QTemporaryDir drive;
};
