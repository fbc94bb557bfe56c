#pragma once
// The next files' copies, made on another thread while the file at hand is copied. Only a whole
// plain copy whose place on the medium needs no question goes ahead: the copy placer decides all
// about it beforehand, as it would have when the pass came to the file, and the pass takes the
// outcome back in turn.

#include "backupfile.h"
#include "backupview.h"
#include "copyahead.h"
#include "copyfile.h"
#include "copyplacer.h"
#include "mediumwriter.h"
#include "model.h"

#include <deque>
#include <memory>
#include <optional>

class AheadCopies {
public:
    AheadCopies(const Model &model, const BackupFiles &work, BackupView &view, MediumWriter &media,
                CopyPlacer &placer, const CopyHold &hold);

    // The file whose copy the pass takes back next, or -1.
    int Next() const { return ahead.Next(); }
    // Enough copies of the files the pass places after current to keep the other core busy
    // while the file at hand is copied.
    void CopyNext(int current);
    // The pass reached the next file copied ahead: it is recorded, or given up, as if copied now.
    void TakeBack(int index, double totalToBackup);
    // Removes the copies made ahead that the pass will not reach.
    void DropUntaken();

private:
    // A copy made ahead and what it ended with, read once it is taken back.
    struct AheadCopy {
        QString source;
        QString target;
        double length = 0; // KB
        double onDisk = 0; // KB
        MeasuredCopy result = MeasuredCopy::Failed;
        int keepError = platform::ErrNone;
        std::optional<int> failure;
    };
    // Starts the copy of the next file the pass would place after current and those ahead.
    bool StartNext(int current);
    bool Start(int index);

    const Model &model;
    const BackupFiles &work;
    BackupView &view;
    MediumWriter &media;
    CopyPlacer &placer;
    const CopyHold &hold;
    std::deque<std::shared_ptr<AheadCopy>> copies; // in the order of the pass
    CopyAhead ahead;                               // last: its end waits for the copies
};
