// The zip decision of one file, taken when the file is first prepared in a run.

#include "backuprun.h"

#include "model.h"
#include "platform.h"
#include "sizerules.h"
#include "textutil.h"
#include "zipdecision.h"
#include "zipper.h"

#include <QFile>

void BackupRun::DecideZip(int index, PendingCopy &copy) {
    Model &m = TheModel();
    FileRecord &file = m.Files[index];
    copy.version.Zipped = false;
    // Nothing to gain from an empty file, and a zip of it is never smaller.
    if (file.Size <= 0)
        return;
    if (zipping && !options.chkForceZip && file.Size < 1) {
        // Files come largest first, so zipping stays off for the rest of the run.
        zipping = false;
        view.SetZipState(QStringLiteral("Zipping Off - Files less than 1kb now"));
    }
    if (!zipping || !WorthZipping(file.Name, options.chkDontZip))
        return;

    file.ZipName =
        AddSlashed(m.Settings.TempDirectory) + PadNumber(index, 8) + QStringLiteral(".zip");
    const auto showProgress = [this](double percent) {
        view.SetCopyLabel(QStringLiteral("Zipping ") +
                          (percent < 0 ? QStringLiteral("Unknown")
                                       : QStringLiteral("Approx ") + QString::number(percent) +
                                             QStringLiteral("%")));
        view.SetCopyFraction(qBound(0.0, percent, 100.0) / 100);
    };
    showProgress(-1);
    SetZipProgressListener(showProgress);
    const int result = ZipFiles(file.ZipName, file.Path, {file.Name}, 1, false, {copy.source});
    SetZipProgressListener(nullptr);
    const qint64 zipBytes = result == 0 ? platform::FileLength64(file.ZipName) : -1;
    if (zipBytes < 0 || double(zipBytes) / 1024 > file.Size) {
        QFile::remove(file.ZipName);
        file.ZipName.clear();
        return;
    }
    copy.version.Zipped = true;
    file.ZippedSize = double(zipBytes) / 1024;
    const double onDisk = SizeOnDiskWholeKB(double(zipBytes), m.Settings.ClusterSize);
    totalToBackup -= file.SizeOnDisk - onDisk;
    file.SizeOnDisk = onDisk;
    ++totals.count;
    totals.originalKB += file.Size;
    totals.zippedKB += file.ZippedSize;
}
