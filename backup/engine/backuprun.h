#pragma once
// One backup run: the state DoBackup keeps from its first stage to its last. The stages live in
// files of their own: collection (collector.h), writing (writing.cpp,
// fillmedium.cpp, copypiece.cpp, aheadcopy.cpp, preparezip.cpp, writemedia.cpp, nextmedia.cpp)
// and the end of the run (finishing.cpp).

#include "backupfile.h"
#include "backupoptions.h"
#include "backupview.h"
#include "collector.h"
#include "copyahead.h"
#include "copyfile.h"
#include "doevents.h"
#include "mediumwriter.h"
#include "platform.h"
#include "zipahead.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <deque>
#include <memory>
#include <optional>

struct BackupResult {
    bool finished = false;     // the run was not cancelled (a stopped run finishes too)
    bool fileErrors = false;   // "One or more file errors occured ..." was shown
    bool filesLeftOut = false; // files or directories were passed over with a warning
    bool saveFailed = false;   // the information file could not be saved: nothing was marked
    ZipTotals totals;
};

class BackupRun {
public:
    BackupRun(Model &model, const BackupOptions &options, BackupView &view, BackupControl &control);
    ~BackupRun();
    BackupRun(const BackupRun &) = delete;
    BackupRun &operator=(const BackupRun &) = delete;

    BackupResult Run();

private:
    // What a copy carries from its first piece to its last.
    struct PendingCopy {
        VersionRecord version;
        int spannedNumber = -1;
        QString storedName; // relative to the medium directory; decided with the first piece
        bool substitute = false;
        platform::FileState source; // the source as it was when it was prepared
    };

    // Start and collection.
    void Start();
    void NewBackupRecord();
    void ComputeStartSpace();
    void NothingToBackUp();

    // Writing.
    void WriteAll();
    bool StartWriting();
    bool FillMedium();
    bool FillPass();
    bool WriteNow(const BackupFile &w) const;
    // measured: the source as just looked at, when the caller did.
    bool PrepareFile(int index, const platform::FileState *measured = nullptr);
    void DecideZip(int index, PendingCopy &copy);
    // The zipping label, shown only when it changes.
    void ShowZipState(const QString &text);
    QString ZipOnText() const;
    bool ZipsBySize(const BackupFile &w) const;
    // The zip decision of a file, less the zip itself.
    bool WillZip(int index) const;
    QString ZipPathOf(int index) const;
    void QueueZipsAhead(int waiting);
    void PlaceFile(int index);
    bool DecideTarget(int index, PendingCopy &copy, QString &targetDir, QString &targetName);
    bool CopyPiece(int index, const PendingCopy &copy, const QString &target, double lengthKB);
    // What a copy's end means for the file: false, with the file given up, unless it went
    // through (a cancelled copy gives nothing up).
    bool CopyEnded(int index, MeasuredCopy result, int keepError);
    void PieceWritten(int index, double lengthKB);

    // aheadcopy.cpp: while the file at hand is copied, the files the pass places next are
    // copied on another thread, as long as each is a whole plain copy that needs no question.
    void CopyNextAhead(int current);
    // Starts the copy of the next file the pass would place after current and those ahead.
    bool StartNextAhead(int current);
    bool StartAhead(int index);
    // The pass reached the next file copied ahead: it is recorded, or given up, as if copied now.
    void TakeBackAhead(int index);
    // Removes the copies made ahead that the pass will not reach.
    void DropAhead();
    void CompleteCopy(int index, PendingCopy &copy);
    void FailFile(int index, const QString &reason);
    bool AnyPending() const;
    bool SourceUnchanged(const FileRecord &file, const platform::FileState &state) const;

    // The end.
    void Finish();
    void SetFileAttributes();
    void ShowZipResult();
    void CancelPath();

    Model &model;
    // The model as the run found it, kept only while no information file exists to reload.
    std::optional<Model> before;
    const BackupOptions options;
    BackupView &view;
    BackupControl &control;
    WriteMethod method;
    bool zipping = false;
    QString zipState; // what the zipping label shows
    Zipper zipper;
    CopyHold copyHold; // holds the copies made ahead while the run pauses
    ZipAhead zipsAhead{zipper};
    int zipCursor = 0; // where this pass looks for files to zip ahead

    BackupFiles work; // beside the model's files, index for index
    Collector collect;
    int filesToBackup = -1;
    double totalToBackup = 0;
    EventPacer pacer;
    MediumWriter media;

    int spannedCounter = -1;
    int errFileCounter = -1;
    int filesDone = 0;
    bool errorFlag = false;
    bool errorShown = false;
    bool saveFailed = false;
    ZipTotals totals;
    QHash<int, PendingCopy> pending;
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
    std::deque<std::shared_ptr<AheadCopy>> aheadCopies; // in the order of the pass
    CopyAhead ahead;
};

// Runs one backup with the model's selected directories. A second call with a control whose run
// is still going returns at once with an unfinished result.
BackupResult DoBackup(Model &model, const BackupOptions &options, BackupView &view,
                      BackupControl &control);
