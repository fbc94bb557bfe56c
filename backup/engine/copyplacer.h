#pragma once
// The copies of a backup run: preparing a file once (its zip decision), where its copy goes on
// the medium, the copy of each piece and what the copy's end means for the file. It owns the
// copies pending between their first piece and their last, the zips made ahead and the run's
// zip figures. It calls only the medium writer; the pass and the copies made ahead call it.

#include "backupfile.h"
#include "backupoptions.h"
#include "backupview.h"
#include "copyfile.h"
#include "mediumwriter.h"
#include "model.h"
#include "platform.h"
#include "zipahead.h"

#include <QHash>
#include <QString>

#include <optional>

class CopyPlacer {
public:
    CopyPlacer(Model &model, const BackupOptions &options, BackupView &view, BackupFiles &work,
               MediumWriter &media, Zipper &zipper);

    // The zipping label at the start of the run.
    void ShowStartState();
    // The files to back up, once checked: the last index (-1 for none) and their room in KB.
    void Begin(int filesToBackup, double totalToBackup);
    // A pass over the files for a medium starts.
    void StartPass() { zipCursor = 0; }
    // The first zips, started while the first medium is made.
    void QueueZipsAhead(int waiting);
    // Stops and removes the zips made ahead that no copy took.
    void ClearZipsAhead() { zipsAhead.Clear(); }

    // Decides the copy of a file once: false when it was given up. measured: the source as just
    // looked at, when the caller did.
    bool Prepare(int index, const platform::FileState *measured = nullptr);

    // A piece about to be copied: where to, how much, and its room taken on the medium.
    struct Piece {
        QString target;
        double length = 0; // KB
        double onDisk = 0; // KB
    };
    // Decides the next piece of a prepared file and takes its room; nothing when there is no
    // data to copy (records only) or the file was given up.
    std::optional<Piece> PlanPiece(int index);
    // Copies a planned piece and records it, or gives its room back.
    void CopyPlanned(int index, const Piece &piece);

    // Where a whole plain copy goes without a question, for a copy made ahead: its directory
    // and name; nothing when it cannot go ahead.
    struct Target {
        QString dir;
        QString name;
    };
    std::optional<Target> AheadTarget(int index);
    // What a copy made elsewhere ended with: false, with the file given up, unless it went
    // through (a cancelled copy gives nothing up).
    bool Ended(int index, MeasuredCopy result, int keepError);
    void PieceWritten(int index, double lengthKB);
    // The copy is given up for this run.
    void Fail(int index, const QString &reason);

    bool Zipping() const { return zipping; }
    double TotalToBackup() const { return totalToBackup; }
    bool FileErrors() const { return errorFlag; }
    const ZipTotals &Totals() const { return totals; }
    // The source as it was when the copy of that file was prepared, if it was.
    const platform::FileState *PreparedState(int index) const;

private:
    // What a copy carries from its first piece to its last.
    struct PendingCopy {
        VersionRecord version;
        int spannedNumber = -1;
        QString storedName; // relative to the medium directory; decided with the first piece
        bool substitute = false;
        platform::FileState source; // the source as it was when it was prepared
    };
    enum class Decision { Decided, LeftOut };

    void DecideZip(int index, PendingCopy &copy);
    // The zipping label, shown only when it changes.
    void ShowZipState(const QString &text);
    QString ZipOnText() const;
    bool ZipsBySize(const BackupFile &w) const;
    // The zip decision of a file, less the zip itself.
    bool WillZip(int index) const;
    QString ZipPathOf(int index) const;
    Decision DecideTarget(int index, PendingCopy &copy, QString &targetDir, QString &targetName);
    // The copy of one piece; the reason when the file is to be given up.
    std::optional<QString> CopyPiece(int index, const PendingCopy &copy, const QString &target,
                                     double lengthKB);
    // What a copy's end means for the file: the reason when it is to be given up.
    std::optional<QString> EndOf(int index, MeasuredCopy result, int keepError);
    void CompleteCopy(int index, PendingCopy &copy);
    // The file has no usable place on the medium: it is not backed up in this run.
    void NoPlaceFor(int index);
    bool SourceUnchanged(const FileRecord &file, const platform::FileState &state) const;

    Model &model;
    const BackupOptions &options;
    BackupView &view;
    BackupFiles &work;
    MediumWriter &media;
    const bool zipping;
    QString zipState; // what the zipping label shows
    ZipAhead zipsAhead;
    Zipper &zipper;
    int zipCursor = 0; // where this pass looks for files to zip ahead
    QHash<int, PendingCopy> pending;
    int filesToBackup = -1;
    double totalToBackup = 0;
    int spannedCounter = -1;
    int errFileCounter = -1;
    int filesDone = 0;
    bool errorFlag = false;
    ZipTotals totals;
};
