// Preparing a file's copy once, planning and copying each piece, and what the copy's end means
// for the file.

#include "copyplacer.h"

#include "cancelflag.h"
#include "statuslog.h"
#include "targetpath.h"

#include <QFile>

#include <cmath>

CopyPlacer::CopyPlacer(Model &model, const BackupOptions &options, BackupView &view,
                       BackupFiles &work, MediumWriter &media, Zipper &zipper)
    : model(model), options(options), view(view), work(work), media(media),
      zipping(options.chkZip && !options.chkSkip), zipsAhead(zipper), zipper(zipper) {}

void CopyPlacer::Begin(int files, double total) {
    filesToBackup = files;
    totalToBackup = total;
}

const platform::FileState *CopyPlacer::PreparedState(int index) const {
    const auto copy = pending.constFind(index);
    return copy == pending.cend() ? nullptr : &copy->source;
}

bool CopyPlacer::Prepare(int index, const platform::FileState *measured) {
    const FileRecord &record = model.Files[index];
    BackupFile &file = work[index];
    file.Prepared = true;
    PendingCopy copy;
    copy.source = measured ? *measured : platform::StateOf(record.Path + record.Name);
    if (double(copy.source.length) != file.SizeKB * 1024) {
        Fail(index, QStringLiteral("its length changed after it was measured"));
        return false;
    }
    copy.version.BackupIndex = model.BackupsLast();
    copy.version.MediumIndex = model.MediaLast() + 1;
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
        Fail(index, QStringLiteral("it changed while it was zipped"));
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

std::optional<CopyPlacer::Piece> CopyPlacer::PlanPiece(int index) {
    const FileRecord &record = model.Files[index];
    const BackupFile &file = work[index];
    PendingCopy &copy = pending[index];
    view.SetCurrentFile(record.Path + record.Name);
    if (CancelFlag())
        return std::nullopt;

    QString targetDir;
    QString targetName;
    if (DecideTarget(index, copy, targetDir, targetName) == Decision::LeftOut) {
        NoPlaceFor(index);
        return std::nullopt;
    }

    // A copy starts on the medium that takes its first piece, which after zipping can be a
    // later one than the medium it was prepared for.
    if (file.DoneSize == 0)
        copy.version.MediumIndex = model.MediaLast() + 1;
    double length = file.StoreSize;
    if (copy.version.Spanned) {
        length = qMin(media.PieceRoom(), file.StoreSize - file.DoneSize);
        // Pieces are whole bytes.
        length = std::floor(length * 1024) / 1024;
    }
    if (options.chkSkip) {
        media.TakeRoom(length);
        PieceWritten(index, length);
        return std::nullopt;
    }
    // The room is taken before the copy, so that the next file can be placed while it runs.
    return Piece{targetDir + targetName, length, media.TakeRoom(length)};
}

void CopyPlacer::CopyPlanned(int index, const Piece &piece) {
    // Preparing the next files may have moved the pending copies.
    const std::optional<QString> failure =
        CopyPiece(index, pending[index], piece.target, piece.length);
    if (!failure && !CancelFlag()) {
        PieceWritten(index, piece.length);
        return;
    }
    if (failure)
        Fail(index, *failure);
    media.GiveBackRoom(piece.onDisk);
}

std::optional<CopyPlacer::Target> CopyPlacer::AheadTarget(int index) {
    const FileRecord &record = model.Files[index];
    const BackupFile &file = work[index];
    const QString relative = platform::RelativeForm(record.Path);
    if (file.Prepared || media.Spans(file.SizeOnDisk) ||
        !UsableTarget(relative, record.Name, media.MediumDir() + relative))
        return std::nullopt;
    // A source whose length changed is given up with a message, which waits for its turn.
    const platform::FileState measured = platform::StateOf(record.Path + record.Name);
    if (double(measured.length) != file.SizeKB * 1024 || !Prepare(index, &measured))
        return std::nullopt;
    PendingCopy &copy = pending[index];
    QString targetDir;
    QString targetName;
    if (DecideTarget(index, copy, targetDir, targetName) == Decision::LeftOut) {
        NoPlaceFor(index);
        return std::nullopt;
    }
    copy.version.MediumIndex = model.MediaLast() + 1;
    return Target{targetDir, targetName};
}

void CopyPlacer::NoPlaceFor(int index) {
    // A file left out is a file error of the run, like a copy that failed.
    errorFlag = true;
    work[index].ToBackUp = false;
    pending.remove(index);
}

bool CopyPlacer::Ended(int index, MeasuredCopy result, int keepError) {
    const std::optional<QString> failure = EndOf(index, result, keepError);
    if (failure)
        Fail(index, *failure);
    return !failure && !CancelFlag();
}

void CopyPlacer::PieceWritten(int index, double length) {
    BackupFile &file = work[index];
    PendingCopy &copy = pending[index];
    file.DoneSize += length;
    if (copy.version.Spanned)
        copy.version.SpanLength = model.MediaLast() + 1 - copy.version.MediumIndex;
    if (file.DoneSize >= file.StoreSize)
        CompleteCopy(index, copy);
}

void CopyPlacer::CompleteCopy(int index, PendingCopy &copy) {
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
void CopyPlacer::Fail(int index, const QString &reason) {
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
