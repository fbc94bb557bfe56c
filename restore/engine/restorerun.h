#pragma once
// One restore run: the chosen files are put back from their media, one medium a turn, in the
// order the run needs them. The run never writes the information file it is given.
//
// The run's stages live in files of their own, each calling only those listed after it: the
// main loop (restorerun.cpp), the copy of one piece and what follows it (restorepiece.cpp), the
// choice of the files copied ahead (restoreaheadchoice.cpp), where a piece is read from
// (restoresource.cpp), the tally of given-up and partial files (restoretally.cpp) and the private
// folder (restoreworkfolder.cpp). The parts it drives own their state: where files land
// (DestinationPlanner), the copies made ahead (RestoreAhead) and the program files
// (RestoreProgIni).

#include "mediasearch.h"
#include "model.h"
#include "platform.h"
#include "restoreahead.h"
#include "restoredestination.h"
#include "restorepaths.h"
#include "restoreselection.h"
#include "restoreview.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>

class QTemporaryDir;

struct RestoreOptions {
    QString restoreTo;        // the 'Restore To' directory
    bool chkDirStruct = true; // "Maintain Directory Structure"
    bool chkIni = false;      // "Restore Program And Information File"
};

struct RestoreResult {
    bool cancelled = false;
    QStringList unrestored;  // lstUnrestore: name + " - message - " + directory
    QStringList substituted; // lstSubs: name + " - Backup media substituted! - " + versions
    // Files whose destination had to be shortened, as notes beside the substitutions.
    QStringList shortened;
    QString unrestoredLabel;  // "2 Of 10"
    QString substitutedLabel; // "1 Of 10"
    bool programRestored = false;
    int restoredCount = 0; // files restored
    QString restoredTo;    // where to, without its trailing separator
};

// "10 files restored to /home/ann/Restored" (", with the program and its information file"),
// for the end of a run that was not cancelled.
QString RestoreSummaryLine(const RestoreResult &result);

inline constexpr char MediaNotFoundMessage[] = " - Backup media could not be found! - ";
inline constexpr char SubstitutedMessage[] = " - Backup media substituted! - ";
inline constexpr char IncompleteMessage[] =
    " - The pieces on its media add up to less than the stored size! - ";
inline constexpr char UnzipFailedMessage[] = " - The zipped copy could not be unzipped! - ";
inline constexpr char NoWorkFolderMessage[] =
    " - No private working folder could be made to unzip it in! - ";
inline constexpr char CopyFailedMessage[] = " - The copy failed again on the same media! - ";
inline constexpr char ReplacedMessage[] =
    " - A later backup holds a folder or file in its place, restored instead! - ";

class RestoreRun {
public:
    // model is the information file the selection was built from; the run marks its media
    // skipped or unavailable. loadedDirectory is the root of the medium the information file
    // came from; the run replaces it with the root of each medium it is given.
    RestoreRun(Model &model, RestoreSelection &selection, PossibleDrives &drives,
               QString &loadedDirectory, const RestoreOptions &options, RestoreView &view);
    ~RestoreRun();
    RestoreRun(const RestoreRun &) = delete;
    RestoreRun &operator=(const RestoreRun &) = delete;

    RestoreResult DoRestore();

private:
    // Working fields of one file, beside its selection entry.
    struct FileWork {
        int RequestedVersion = -1;
        int CurrentMedium = 0;
        double BytesRestored = 0;
        double ExpectedSize = 0; // kilobytes
        bool RestoreDone = false;
        QString destination;   // where the file lands, decided with its first piece
        QString target;        // what the pieces are written into (the temporary zip when zipped)
        int failedMedium = -1; // medium whose copy of the next piece failed last time
    };

    // restorerun.cpp: the main loop, medium by medium.
    void Start();
    bool MainLoop();
    void VersionCheck();
    bool Unusable(const VersionRecord &version) const;
    void MarkNeededMedia();
    bool ChooseMedium();
    bool CopyFromCurrentMedium();
    void Finish();
    bool FindProgramMedium();
    void Stop();
    int LastIndex(const VersionRecord &v) const;

    // restorepiece.cpp: one piece of a file, copied here or taken back from the copies ahead.
    void CopyPiece(int position);
    // The loop reached the next file copied ahead: it counts as restored, or failed, now.
    void TakeBackPiece(int position, bool copyMore);
    void RestartFile(int index);
    bool PieceSource(int index, const VersionRecord &v, QString &source);
    bool DecideDestination(int index);
    void PieceDone(int position, double pieceLength);
    void PieceFailed(int index);
    bool CompleteZip(int index);
    void ShowProgress(const QString &source, const QString &destination);
    // Writes a piece into the file's destination below 'Restore To'; stamp, given with the
    // last piece, becomes the complete file's permission bits and time.
    bool CopyIntoDestination(const QString &source, const FileWork &w, double pieceLength,
                             const platform::FileState *stamp, const QString &suffix);
    // Moves an unzipped file from the private folder to its destination.
    bool MoveIntoPlace(const QString &staged, const QString &destination);

    // restoreaheadchoice.cpp: while the file at hand is copied, the next whole plain files of
    // this medium are copied on another thread, as long as each needs no note and no question.
    void CopyNextAhead(int current);
    // Starts the copy of the next file of the medium after current and those ahead.
    bool StartNextAhead(int current);
    bool StartAhead(int position);

    // restoresource.cpp
    // The piece's path on the current medium; false when the path is not safe.
    bool SafeSource(int index, const VersionRecord &v, QString &source);
    // Whether that many bytes written complete the file's stored copy.
    bool Completes(const FileWork &w, double bytes) const;

    // restoretally.cpp
    void GiveUp(int index, const char *message);
    void AddPartial(const QString &path);
    void RemovePartial(const QString &path);

    // restoreworkfolder.cpp: the run's private folder, ending in the separator; empty when none
    // could be made.
    QString WorkFolder();

    Model &model;
    RestoreSelection &selection;
    PossibleDrives &drives;
    QString &loadedDirectory;
    RestoreOptions options;
    RestoreView &view;

    QList<FileWork> work;
    RestoreResult result;
    int numberToRestore = 0; // files to restore (a count)
    int processed = -1;
    int unrestoredCount = -1;
    double totalSize = 0;
    double doneSize = 0;
    QStringList partial;
    std::unique_ptr<DestinationPlanner> planner;
    int currentMedium = -1;
    MediumFolder mediumFolder; // the folder of the medium the pieces are read from
    bool firstPass = true;
    qint64 lastProgress = -1;
    // The run's own working folder, removed with everything in it when the run ends.
    std::unique_ptr<QTemporaryDir> privateFolder;
    RestoreAhead ahead;
};

// Copies the program files and the information file from the "!IN_HERE!" of a medium into the
// "!IN_HERE!" below 'Restore To'. A file that cannot be copied, or that a link on the medium
// leads off it, is passed over.
void RestoreProgIni(const QString &mediumRoot, const QString &restoreTo, platform::WriteTree &tree,
                    RestoreView &view);
