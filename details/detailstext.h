#pragma once
// The texts of the details window's detail labels and of its per-backup file rows, from the
// model alone, so that they can be checked without a window.

#include "model.h"

#include <QString>

// A detail of nothing chosen is left empty: dashes would make an empty history look broken.
inline constexpr char NoDetail[] = "";

struct BackupDetailTexts {
    QString number, date, first, mediaName, count, mediaSize, writeMethod, fresh;
    QString firstCaption, countCaption;
};

struct FileBackupTexts {
    QString media, size, spanned, spanLength;
};

// The labels of the "Backup Details" frame for backup b; empty when b is no backup.
BackupDetailTexts BackupDetails(int backup);

// The labels of the "File & Backup" frame for one version of a file; empty when there is none.
FileBackupTexts FileBackupDetails(const FileRecord *file, int version);

// A file's copy in the list of a backup: "*report.doc, On Media 2-3"; name is the file's name as
// the list shows it.
QString BackupFileText(const FileRecord &file, int version, const QString &name);
