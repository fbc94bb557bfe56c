// The zip decision of one file, taken when the file is first prepared in a run.

#include "copyplacer.h"

#include "cancelflag.h"
#include "model.h"
#include "platform.h"
#include "sizerules.h"
#include "textutil.h"
#include "zipdecision.h"
#include "zipper.h"

#include <QFile>

void CopyPlacer::ShowStartState() {
    ShowZipState(zipping ? ZipOnText() : QStringLiteral("Zipping Off"));
}

QString CopyPlacer::ZipOnText() const {
    return options.chkForceZip ? QStringLiteral("Zipping On - Forced")
                               : QStringLiteral("Zipping On");
}

void CopyPlacer::ShowZipState(const QString &text) {
    if (text == zipState)
        return;
    zipState = text;
    view.SetZipState(text);
}

bool CopyPlacer::ZipsBySize(const BackupFile &file) const {
    return options.chkForceZip || file.SizeKB >= 1;
}

bool CopyPlacer::WillZip(int index) const {
    const BackupFile &file = work[index];
    // Nothing to gain from an empty file, and a zip of it is never smaller.
    return zipping && file.SizeKB > 0 && ZipsBySize(file) &&
           WorthZipping(model.Files[index].Name, options.chkDontZip);
}

QString CopyPlacer::ZipPathOf(int index) const {
    return AddSlashed(model.Settings.TempDirectory) + PadNumber(index, 8) + QStringLiteral(".zip");
}

// The files this pass prepares next, in the order it meets them, as far as the zips made ahead
// may go. Each pass starts over, and meets each file once.
void CopyPlacer::QueueZipsAhead(int waiting) {
    zipCursor = qMax(zipCursor, waiting + 1);
    for (; zipCursor < model.Files.size(); ++zipCursor) {
        const BackupFile &file = work[zipCursor];
        if (!file.ToBackUp || file.Placed || file.Prepared || !media.Fits(file.SizeOnDisk) ||
            !WillZip(zipCursor) || zipsAhead.Queued(zipCursor))
            continue;
        const QString source = model.Files[zipCursor].Path + model.Files[zipCursor].Name;
        const platform::FileState state = platform::StateOf(source);
        if (double(state.length) != file.SizeKB * 1024)
            continue; // preparing it will tell why
        if (!zipsAhead.Room(state.length, waiting))
            return;
        zipsAhead.Queue(zipCursor, source, ZipPathOf(zipCursor), state, false);
    }
}

void CopyPlacer::DecideZip(int index, PendingCopy &copy) {
    const FileRecord &record = model.Files[index];
    BackupFile &file = work[index];
    copy.version.Zipped = false;
    if (!zipping || file.SizeKB <= 0)
        return;
    // Each file is decided by its own size: media are filled by passes of their own over the
    // list, so a small file on one medium says nothing about the files of the next.
    ShowZipState(ZipsBySize(file) ? ZipOnText()
                                  : QStringLiteral("Zipping Off - Files less than 1kb now"));
    if (!WillZip(index))
        return;

    const auto showProgress = [this](double percent) {
        view.SetCopyLabel(QStringLiteral("Zipping ") +
                          (percent < 0 ? QStringLiteral("Unknown")
                                       : QStringLiteral("Approx ") + QString::number(percent) +
                                             QStringLiteral("%")));
        view.SetCopyFraction(qBound(0.0, percent, 100.0) / 100);
    };
    showProgress(-1);
    // A cancel pressed as the zip was about to start starts no zip.
    if (CancelFlag())
        return;
    file.ZipName = ZipPathOf(index);
    // This file first, then the next ones while this one is zipped and written.
    zipsAhead.Queue(index, record.Path + record.Name, file.ZipName, copy.source, true);
    QueueZipsAhead(index);
    zipper.SetProgressListener(showProgress);
    const int result = zipsAhead.Take(index);
    zipper.SetProgressListener(nullptr);
    // A zip that ended as the run was cancelled is of no use any more.
    const qint64 zipBytes =
        result == 0 && !CancelFlag() ? platform::FileLength64(file.ZipName) : -1;
    if (zipBytes < 0 || double(zipBytes) / 1024 > file.SizeKB) {
        QFile::remove(file.ZipName);
        file.ZipName.clear();
        return;
    }
    copy.version.Zipped = true;
    file.ZippedSize = double(zipBytes) / 1024;
    const double onDisk = SizeOnDiskWholeKB(double(zipBytes), model.Settings.ClusterSize);
    totalToBackup -= file.SizeOnDisk - onDisk;
    file.SizeOnDisk = onDisk;
    ++totals.count;
    totals.originalKB += file.SizeKB;
    totals.zippedKB += file.ZippedSize;
}
