#pragma once
// What a finished backup run did, in plain words: how many files went where, and what was left
// out. The wizard's last step and `pellmoor backup` show the same lines.

#include <QString>
#include <QStringList>

struct RunSummary {
    int toBackUp = 0; // files the run set out to copy
    int backedUp = 0; // files whose copy is complete
    int media = 0;    // media the run wrote
    bool stopped = false;
    bool leftOut = false;     // files or directories were passed over with a warning
    bool notRecorded = false; // the information file could not be saved
    QString where;            // the backup's folder, without its trailing separator
};

// "48 files backed up to /b/Backup003", then, where it applies, "Stopped early: 47 of 48 files
// not backed up" or "File errors: 2 of 48 files not backed up" and the other losses.
QStringList SummaryLines(const RunSummary &summary);
