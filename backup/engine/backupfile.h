#pragma once
// What a backup run knows of one file of its model, at the same index as the model's file. It
// lives only as long as the run and is never stored.

#include <QString>

#include <vector>

struct BackupFile {
    bool ToBackUp = false;  // a new copy is written in this run
    bool Placed = false;    // the copy is complete in this run
    bool Prepared = false;  // the zip decision is taken
    double SizeKB = 0;      // the source's length; negative when it cannot be read
    double SizeOnDisk = 0;  // kilobytes on a medium by the cluster rule
    double ZippedSize = 0;  // kilobytes of the zipped copy; 0 when not zipped
    double StoreSize = 0;   // kilobytes written for this file
    double DoneSize = 0;    // kilobytes already written to earlier media
    bool ArchiveSet = true; // the file's archive attribute, read with its length
    QString ZipName;        // temporary zip of this file
};

using BackupFiles = std::vector<BackupFile>;
