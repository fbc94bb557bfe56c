// One pass over the files for the current medium: the fit test, preparing a copy once, and
// writing it (or its next piece) onto the medium.

#include "backuprun.h"

#include "cancelflag.h"
#include "doevents.h"
#include "model.h"
#include "platform.h"
#include "sizerules.h"
#include "statuslog.h"

#include <QFile>

#include <cmath>

// Returns true when the pass ended because the user stopped the run now.
bool BackupRun::FillMedium() {
    const bool stoppedNow = FillPass();
    // A copy made ahead for a file the pass did not reach (after a stop or a cancel) is not kept.
    DropAhead();
    return stoppedNow;
}

bool BackupRun::FillPass() {
    Model &m = model;
    zipCursor = 0;
    for (int i = 0; i < m.Files.size(); ++i) {
        // A window's event round costs more than passing over a file that is not placed here;
        // Stop, Pause and Cancel still act within the pacer's 50 ms.
        if (pacer.Due())
            DoEvents();
        if (CancelFlag())
            return false;
        if (ahead.Next() == i) {
            TakeBackAhead(i);
        } else {
            const BackupFile &w = work[i];
            if (!w.ToBackUp || w.Placed || !WriteNow(w))
                continue;
            media.ShowMediumLine(totalToBackup);
            if (!w.Prepared && !PrepareFile(i))
                continue;
            // A zipped copy can be small enough to wait for a medium with room instead of
            // spanning.
            if (!WriteNow(work[i]))
                continue;
            PlaceFile(i);
        }
        if (CancelFlag())
            return false;
        if (control.StopAccepted() && control.stopNow)
            return true;
    }
    return false;
}

bool BackupRun::WriteNow(const BackupFile &file) const {
    return media.Fits(file.SizeOnDisk);
}

bool BackupRun::SourceUnchanged(const FileRecord &file, const platform::FileState &state) const {
    return platform::StateOf(file.Path + file.Name) == state;
}

bool BackupRun::PrepareFile(int index, const platform::FileState *measured) {
    Model &m = model;
    const FileRecord &record = m.Files[index];
    BackupFile &file = work[index];
    file.Prepared = true;
    PendingCopy copy;
    copy.source = measured ? *measured : platform::StateOf(record.Path + record.Name);
    if (double(copy.source.length) != file.SizeKB * 1024) {
        FailFile(index, QStringLiteral("its length changed after it was measured"));
        return false;
    }
    copy.version.BackupIndex = m.BackupsLast();
    copy.version.MediumIndex = m.MediaLast() + 1;
    copy.version.SpanLength = -1;
    copy.version.Size = file.SizeKB;
    copy.version.Zipped = false;
    file.ZippedSize = 0;
    file.DoneSize = 0;
    if (!options.chkSkip)
        DecideZip(index, copy);
    if (CancelFlag())
        return false;
    // Without a zip nothing was read yet; the copy looks again before it starts.
    if (copy.version.Zipped && !SourceUnchanged(record, copy.source)) {
        FailFile(index, QStringLiteral("it changed while it was zipped"));
        return false;
    }
    file.StoreSize = copy.version.Zipped ? file.ZippedSize : file.SizeKB;
    copy.version.ZippedSize = copy.version.Zipped ? file.ZippedSize : 0;
    if (media.Spans(file.SizeOnDisk)) {
        copy.version.Spanned = true;
        copy.spannedNumber = ++spannedCounter;
    }
    pending.insert(index, copy);
    return true;
}

void BackupRun::PlaceFile(int index) {
    Model &m = model;
    const FileRecord &record = m.Files[index];
    const BackupFile &file = work[index];
    PendingCopy &copy = pending[index];
    view.SetCurrentFile(record.Path + record.Name);
    if (CancelFlag())
        return;

    QString targetDir;
    QString targetName;
    if (!DecideTarget(index, copy, targetDir, targetName))
        return;

    // A copy starts on the medium that takes its first piece, which after zipping can be a
    // later one than the medium it was prepared for.
    if (file.DoneSize == 0)
        copy.version.MediumIndex = m.MediaLast() + 1;
    double length = file.StoreSize;
    if (copy.version.Spanned) {
        length = qMin(media.PieceRoom(), file.StoreSize - file.DoneSize);
        // Pieces are whole bytes.
        length = std::floor(length * 1024) / 1024;
    }
    if (options.chkSkip) {
        media.TakeRoom(length);
        PieceWritten(index, length);
        return;
    }
    // The room is taken before the copy, so that the next file can be placed while it runs.
    const double onDisk = media.TakeRoom(length);
    CopyNextAhead(index);
    // Preparing the next file may have moved the pending copies.
    if (CopyPiece(index, pending[index], targetDir + targetName, length))
        PieceWritten(index, length);
    else
        media.GiveBackRoom(onDisk);
}

void BackupRun::PieceWritten(int index, double length) {
    Model &m = model;
    BackupFile &file = work[index];
    PendingCopy &copy = pending[index];
    file.DoneSize += length;
    if (copy.version.Spanned)
        copy.version.SpanLength = m.MediaLast() + 1 - copy.version.MediumIndex;
    if (file.DoneSize >= file.StoreSize)
        CompleteCopy(index, copy);
}

void BackupRun::CompleteCopy(int index, PendingCopy &copy) {
    BackupFile &file = work[index];
    copy.version.StoredName = copy.storedName;
    copy.version.ComputeLastMedium();
    model.Files[index].Versions.append(copy.version);
    file.Placed = true;
    if (!file.ZipName.isEmpty()) {
        QFile::remove(file.ZipName);
        file.ZipName.clear();
    }
    ++totals.allCount;
    totals.allOriginalKB += file.SizeKB;
    totals.allFinalKB += file.StoreSize;
    ++filesDone;
    view.SetCounter(QString::number(filesDone) + QStringLiteral(" Of ") +
                    QString::number(filesToBackup + 1));
    view.SetTotalCopied(media.WrittenTotal(), totalToBackup);
}

// The copy is given up for this run: no version is recorded, so the file keeps its archive
// attribute and the next backup takes it again.
void BackupRun::FailFile(int index, const QString &reason) {
    const FileRecord &record = model.Files[index];
    BackupFile &file = work[index];
    StatusPrint(QStringLiteral("Not backed up: ") + record.Path + record.Name +
                QStringLiteral(" (") + reason + QStringLiteral(")\n"));
    file.ToBackUp = false;
    if (!file.ZipName.isEmpty()) {
        QFile::remove(file.ZipName);
        file.ZipName.clear();
    }
    pending.remove(index);
    errorFlag = true;
}
