#pragma once
// Backup histories built in the test, straight into the one model: backups with their media,
// files with versions on them, media marked unavailable or deleted.

#include "model.h"

#include <QString>

class HistoryModel {
public:
    // Starts from an empty model.
    HistoryModel();

    // A backup dated date that wrote `media` new media; returns its index.
    int AddBackup(const QString &date, int media, const QString &mediaName = QStringLiteral("CD"));
    // A file without versions yet; returns its index.
    int AddFile(const QString &path, const QString &name);
    // A copy of the file made by the backup on medium; a spanned copy ends on lastMedium.
    void AddVersion(int file, int backup, int medium, double kilobytes = 1, int lastMedium = -1);
    void MarkUnavailable(int medium, bool deleted = false);
};
