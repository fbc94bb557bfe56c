#pragma once
// The rows the details window lists for the loaded model, as plain text, so that the window and
// `pellmoor details` show the history the same way: backups with their media, a file's versions.

#include "model.h"

#include <QList>
#include <QString>

struct BackupRow {
    QString text;
    int backup = -1;
    int medium = -1; // -1: the row of the backup itself
};

// "B2. 01/11/2026", then one row a medium: "- *B2.M3 - CD3 Of 2 To 4" ("- B1.M1 - HDD1" when the
// backup used one medium), with the medium's descriptor after the dash.
QList<BackupRow> BackupRows(const Model &model);

// "2. *01/11/2026, First Media 3": version index + 1, the descriptor of its media, its backup's
// date and first medium.
QString VersionRowText(const Model &model, const FileRecord &file, int version);

// The media holding a copy as the lists show them: "2", or "2-3" for a spanned copy.
QString MediaRangeText(const VersionRecord &version);

// When the last backup was made: the latest backup's set date (with its time) when it was made
// on LastBackupDate, otherwise that date alone; "Never" without one.
QString LastBackupText(const Model &model);

// "No Limit" or the formatted size; "All At Once", "XP Way" or "One By One"; "Yes" or "No".
QString MediaSizeText(const BackupRecord &backup);
QString WriteMethodText(const BackupRecord &backup);
QString YesNoText(bool value);
