#pragma once
// One backup run, made of parts that each own their state and are called in one direction:
// the run calls the collector (collector.h), then writes media through the copies made ahead
// (aheadcopy.h), the copy placer (copyplacer.h) and the medium writer (mediumwriter.h), each of
// which calls only those after it; the end of the run is finishing.cpp.

#include "aheadcopy.h"
#include "backupfile.h"
#include "backupoptions.h"
#include "backupview.h"
#include "collector.h"
#include "copyfile.h"
#include "copyplacer.h"
#include "doevents.h"
#include "mediumwriter.h"
#include "runsummary.h"
#include "zipper.h"

#include <optional>

struct BackupResult {
    bool finished = false;     // the run was not cancelled (a stopped run finishes too)
    bool fileErrors = false;   // "One or more file errors occured ..." was shown
    bool filesLeftOut = false; // files or directories were passed over with a warning
    bool saveFailed = false;   // the information file could not be saved: nothing was marked
    ZipTotals totals;
    RunSummary summary; // what a finished run did, for its last words
};

class BackupRun {
public:
    BackupRun(Model &model, const BackupOptions &options, BackupView &view, BackupControl &control);
    ~BackupRun();
    BackupRun(const BackupRun &) = delete;
    BackupRun &operator=(const BackupRun &) = delete;

    BackupResult Run();

private:
    // The start (backuprun.cpp).
    void Start();
    void NewBackupRecord();
    void NothingToBackUp();

    // The stage "Backing Up Files" (writing.cpp) and one pass per medium (fillmedium.cpp).
    void WriteAll();
    bool StartWriting();
    bool AnyPending() const;
    bool FillMedium();
    bool FillPass();

    // The end (finishing.cpp).
    void Finish();
    void SetFileAttributes();
    void ShowZipResult();
    void CancelPath();
    RunSummary Summary() const;

    Model &model;
    // The model as the run found it, kept only while no information file exists to reload.
    std::optional<Model> before;
    const BackupOptions options;
    BackupView &view;
    BackupControl &control;
    const WriteMethod method;
    Zipper zipper;
    CopyHold copyHold; // holds the copies made ahead while the run pauses
    BackupFiles work;  // beside the model's files, index for index
    EventPacer pacer;

    // The parts, each called only by those after it and by the run.
    Collector collect;
    MediumWriter media;
    CopyPlacer placer;
    AheadCopies ahead;

    bool errorFlag = false; // a medium's files could not all be written
    bool errorShown = false;
    bool saveFailed = false;
};

// Runs one backup with the model's selected directories. A second call with a control whose run
// is still going returns at once with an unfinished result.
BackupResult DoBackup(Model &model, const BackupOptions &options, BackupView &view,
                      BackupControl &control);
