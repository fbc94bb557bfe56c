// The copy of one piece of a file from the current medium, or the outcome of its copy made
// ahead, and what follows when the file is complete: the temporary zip is unzipped into place.

#include "restorerun.h"

#include "cancelflag.h"
#include "clock.h"
#include "copyfile.h"
#include "doevents.h"
#include "fileops.h"
#include "model.h"
#include "platform.h"
#include "restorepaths.h"
#include "textutil.h"
#include "unzip.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>

void RestoreRun::CopyPiece(int position) {
    const int index = selection.SortedOrder()[position];
    const FileRecord &f = model.Files[index];
    const VersionRecord &v = f.Versions[selection.Files()[index].UseVersion];
    FileWork &w = work[index];
    QString source;
    if (!PieceSource(index, v, source) || !DecideDestination(index))
        return;
    if (w.target.isEmpty() && v.Zipped) {
        const QString folder = WorkFolder();
        if (folder.isEmpty()) {
            GiveUp(index, NoWorkFolderMessage);
            return;
        }
        w.target = folder + PadNumber(position, 8) + QStringLiteral(".zip");
    } else if (w.target.isEmpty()) {
        w.target = w.destination;
    }
    w.ExpectedSize = v.Zipped ? v.ZippedSize : v.Size;
    ShowProgress(source, w.destination);
    // The piece's own permission bits and time, given to the file once it is complete.
    const platform::FileState stamp = platform::StateOf(source);
    const double pieceLength = double(stamp.length);
    view.SetCopyLabel(QStringLiteral("---"));
    const QString suffix = QStringLiteral(" (") + FormatSize(v.Size) + QLatin1Char(')');
    bool copied;
    if (v.Zipped) {
        // The copier never truncates: a first piece starts an empty file in the private folder.
        if (w.BytesRestored == 0)
            QFile::remove(w.target);
        copied =
            CopyFileRange(source, w.target, 1, pieceLength, w.BytesRestored + 1, &view, suffix);
    } else {
        const bool last = Completes(w, w.BytesRestored + pieceLength);
        CopyNextAhead(position);
        copied = CopyIntoDestination(source, w, pieceLength, last ? &stamp : nullptr, suffix);
    }
    if (copied)
        PieceDone(position, pieceLength);
    else
        PieceFailed(index);
}

void RestoreRun::TakeBackPiece(int position, bool copyMore) {
    const int index = selection.SortedOrder()[position];
    const QString destination = work[index].destination;
    ShowProgress(ahead.NextSource(), destination);
    // The copies behind it keep both cores busy while this one is waited for.
    AheadOutcome outcome;
    if (copyMore) {
        CopyNextAhead(position);
        outcome = ahead.TakeBack([this, position] { return StartNextAhead(position); });
    } else {
        outcome = ahead.TakeBack();
    }
    if (outcome.failure)
        ReportCopyFailure(outcome.source, destination, *outcome.failure);
    if (outcome.copied)
        PieceDone(position, outcome.length);
    else
        PieceFailed(index);
}

bool RestoreRun::DecideDestination(int index) {
    FileWork &w = work[index];
    // Later pieces, and a restart from another version, keep the place the first piece got;
    // deciding again would move the file or use up another number.
    if (!w.destination.isEmpty())
        return true;
    const FileRecord &f = model.Files[index];
    const DestinationDecision decision = planner->Decide(f);
    if (decision.refusal) {
        GiveUp(index, decision.refusal);
        return false;
    }
    if (decision.note)
        result.shortened.append(f.Name + QLatin1String(decision.note) + f.Path);
    w.destination = decision.destination;
    return true;
}

void RestoreRun::PieceFailed(int index) {
    const VersionRecord &v = model.Files[index].Versions[selection.Files()[index].UseVersion];
    FileWork &w = work[index];
    w.RestoreDone = false;
    totalSize -= v.Size;
    doneSize -= w.BytesRestored / 1024;
    AddPartial(w.target);
    if (CancelFlag())
        return;
    // The medium is found again at once, so a piece that cannot be read would be asked
    // for forever; the second failure on the same medium gives the file up.
    if (w.failedMedium == currentMedium)
        GiveUp(index, CopyFailedMessage);
    else
        w.failedMedium = currentMedium;
}

bool RestoreRun::CopyIntoDestination(const QString &source, const FileWork &w, double pieceLength,
                                     const platform::FileState *stamp, const QString &suffix) {
    // A first piece starts a new file, made for the owner only until it is complete; later
    // pieces go into the file made then, never into one found in its place.
    const int fd = planner->Tree().Open(planner->Below(w.destination),
                                        w.BytesRestored == 0 ? platform::WriteOpen::Fresh
                                                             : platform::WriteOpen::Existing);
    if (fd < 0)
        return ReportCopyFailure(source, w.destination, platform::LastFileError());
    QFile out;
    out.open(fd, QIODevice::ReadWrite | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle);
    if (!CopyFileRangeInto(source, out, w.destination, 1, pieceLength, w.BytesRestored + 1, &view,
                           suffix))
        return false;
    if (stamp)
        platform::ApplyModeAndTime(fd, *stamp);
    errno = 0;
    out.close();
    if (out.error() != QFileDevice::NoError)
        return ReportCopyFailure(source, w.destination, platform::LastFileError());
    return true;
}

void RestoreRun::PieceDone(int position, double pieceLength) {
    const int index = selection.SortedOrder()[position];
    RestoreFileState &s = selection.Files()[index];
    const VersionRecord &v = model.Files[index].Versions[s.UseVersion];
    FileWork &w = work[index];
    w.failedMedium = -1;
    w.BytesRestored += pieceLength;
    doneSize += pieceLength / 1024;
    if (!Completes(w, w.BytesRestored)) {
        ++w.CurrentMedium;
        AddPartial(w.target);
        return;
    }
    doneSize = doneSize - w.ExpectedSize + v.Size;
    if (v.Zipped && !CompleteZip(index))
        return;
    w.RestoreDone = true;
    s.Ticked = false;
    RemovePartial(w.target);
    RemovePartial(w.destination);
    ++processed;
}

bool RestoreRun::CompleteZip(int index) {
    FileWork &w = work[index];
    // Extracting into a folder of its own keeps a damaged or foreign archive away from the
    // files already restored; only the one file a zipped copy holds is moved into place.
    QTemporaryDir staging(WorkFolder() + QStringLiteral("unzip-XXXXXX"));
    bool ok = staging.isValid();
    if (ok) {
        const QString folder = AddSlashed(staging.path());
        view.SetUnzipping(true);
        // The staging folder is private and removed below: syncing each file there only waits.
        // Pause and Cancel act during a long unzip as during a copy.
        const QString text = UnzipFiles(w.target, folder, {QStringLiteral("*")}, 1,
                                        UnzipWrite::Scratch, UnzipEvents::Pumped);
        view.SetUnzipping(false);
        const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                           QDir::Hidden | QDir::System);
        ok = !text.contains(QStringLiteral("Error!!!!!")) && entries.size() == 1;
        if (ok) {
            const QFileInfo entry(folder + entries.first());
            ok = entry.isFile() && !entry.isSymLink() &&
                 MoveIntoPlace(entry.filePath(), w.destination);
        }
        RemoveDirectoryTree(folder);
    }
    QFile::remove(w.target);
    // A cancelled unzip is no damaged zip: the run stops at its next check.
    if (!ok && !CancelFlag())
        GiveUp(index, UnzipFailedMessage);
    return ok;
}

bool RestoreRun::PieceSource(int index, const VersionRecord &v, QString &source) {
    if (SafeSource(index, v, source))
        return true;
    GiveUp(index, UnsafePathMessage);
    return false;
}

void RestoreRun::ShowProgress(const QString &source, const QString &destination) {
    const qint64 now = SteadyMilliseconds();
    if (lastProgress >= 0 && now - lastProgress < 100)
        return;
    lastProgress = now;
    view.SetRestored(QString::number(processed + 1) + QStringLiteral(" Out Of ") +
                     QString::number(numberToRestore));
    view.SetRestoring(source);
    view.SetTo(destination);
    view.SetBars(numberToRestore > 0 ? double(processed + 1) / numberToRestore : 0,
                 totalSize != 0 ? doneSize / totalSize : 0);
    view.SetTotal(FormatSize(doneSize) + QStringLiteral(" Of About ") + FormatSize(totalSize));
    DoEvents();
}

void RestoreRun::RestartFile(int index) {
    FileWork &w = work[index];
    // What an earlier version wrote must not survive beyond the new copy's length; the next
    // first piece makes the file anew.
    if (!w.target.isEmpty() && w.BytesRestored > 0)
        planner->Remove(w.target);
    doneSize -= w.BytesRestored / 1024;
    w.BytesRestored = 0;
    w.target.clear();
    w.failedMedium = -1;
}

bool RestoreRun::MoveIntoPlace(const QString &staged, const QString &destination) {
    const QString relative = planner->Below(destination);
    if (planner->Tree().MoveInto(staged, relative))
        return true;
    if (errno != EXDEV)
        return false;
    // The private folder lies on another file system: the file is copied into a new file of
    // its own and given the unzipped file's permission bits and time.
    const platform::FileState stamp = platform::StateOf(staged);
    const int fd = planner->Tree().Open(relative, platform::WriteOpen::Fresh);
    if (fd < 0)
        return ReportCopyFailure(staged, destination, platform::LastFileError());
    QFile out;
    out.open(fd, QIODevice::ReadWrite | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle);
    bool ok = CopyFileRangeInto(staged, out, destination, 1, double(stamp.length), 1, nullptr);
    if (ok)
        platform::ApplyModeAndTime(fd, stamp);
    out.close();
    ok = ok && out.error() == QFileDevice::NoError;
    if (!ok)
        planner->Tree().Remove(relative);
    return ok;
}
