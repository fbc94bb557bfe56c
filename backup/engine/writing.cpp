// The stage "Backing Up Files": media one after another, each filled first-fit by decreasing
// size, and what happens between two media.

#include "backuprun.h"

#include "cancelflag.h"
#include "fileops.h"
#include "infofile.h"
#include "model.h"
#include "platform.h"
#include "prompt.h"
#include "statuslog.h"
#include "textutil.h"

#include <cmath>

void BackupRun::MakeDirectory(const QString &path) {
    // CreateDirectory starts by clearing the cancel flag.
    const bool cancelled = CancelFlag();
    CreateDirectory(path);
    if (cancelled)
        SetCancelFlag(true);
}

QString BackupRun::MediumDirectory() const {
    if (method == WriteMethod::XpWay)
        return backupRoot;
    return backupRoot + QStringLiteral("MEDIA") + PadNumber(model.MediaLast() + 2, 3) +
           platform::Separator();
}

int BackupRun::EstimateMedia(double factor) const {
    const double free = model.Settings.MediaSize - programSpace;
    if (model.Settings.MediaSize < 0 || free <= 0)
        return 0;
    const double media = std::floor((factor * totalToBackup - writtenTotal) / free);
    return int(qBound(0.0, media, 1e9));
}

bool BackupRun::AnyPending() const {
    for (const BackupFile &file : work) {
        if (file.ToBackUp && !file.Placed)
            return true;
    }
    return false;
}

bool BackupRun::StartWriting() {
    Model &m = model;
    view.SetStage(QStringLiteral("Backing Up Files"),
                  QStringLiteral("0 Of ") + QString::number(filesToBackup + 1));
    backupRoot = AddSlashed(m.Settings.BackupDirectory);
    if (method != WriteMethod::XpWay)
        backupRoot +=
            QStringLiteral("Backup") + PadNumber(m.BackupsLast() + 1, 3) + platform::Separator();
    MakeDirectory(backupRoot);
    if (CancelFlag())
        return false;
    if (!DirExists(backupRoot)) {
        SetCancelFlag(true);
        return false;
    }
    // The directory check guards every method: a root that still holds an older run's files
    // would mix two backups.
    if (!NextMedia(backupRoot, true, false, false) || CancelFlag())
        return false;
    rootReady = true;

    // The first zips start now, so that the processor works while the medium gets its
    // information file and program files.
    MakeDirectory(m.Settings.TempDirectory);
    QueueZipsAhead(-1);
    mediumDir = MediumDirectory();
    MakeDirectory(mediumDir);
    WriteMedia(mediumDir);
    // Media too small for the program files would never take a byte of data.
    if (m.Settings.MediaSize >= 0 &&
        m.Settings.MediaSize - programSpace - m.Settings.ClusterSize / 1024 <= 0) {
        MsgBox(QStringLiteral("The media is too small to hold the program files and the "
                              "information file!"),
               MsgButtons::OK);
        SetCancelFlag(true);
        return false;
    }
    estimate = EstimateMedia(1.05);
    // A stop accepted while files were collected still holds.
    if (control.stopButtonEnabled)
        view.SetStopButton(true, QStringLiteral("Stop"));
    spaceUsed = programSpace;
    return !CancelFlag();
}

void BackupRun::WriteAll() {
    // Zips made ahead for files this run no longer writes (after a stop or a cancel) go too.
    struct ClearAhead {
        ZipAhead &zips;
        ~ClearAhead() { zips.Clear(); }
    } clearAhead{zipsAhead};
    if (!StartWriting())
        return;
    while (true) {
        piecesThisMedium = 0;
        const bool stoppedNow = FillMedium();
        if (CancelFlag())
            return;
        if (!stoppedNow && piecesThisMedium == 0 && spaceUsed <= programSpace) {
            // An empty medium that took nothing would be followed by endless empty ones.
            for (int i = 0; i < int(work.size()); ++i) {
                if (work[i].ToBackUp && !work[i].Placed)
                    FailFile(i, QStringLiteral("it does not fit on an empty medium"));
            }
        }
        if (!EndOfMedium())
            return;
    }
}

// Returns whether another medium follows.
bool BackupRun::EndOfMedium() {
    // After a stop only the medium being filled is completed.
    const bool more = !control.StopAccepted() && AnyPending();
    IncMedia(model);
    // A medium without its information file cannot be restored from on its own.
    if (!SaveIniFile(model,
                     mediumDir + QStringLiteral("!IN_HERE!") + platform::Separator() +
                         QStringLiteral("Backup.Ini"),
                     CurrentIniVersion))
        errorFlag = true;
    estimate = EstimateMedia(1.0);
    if (method != WriteMethod::AllAtOnce) {
        if (!NextMedia(mediumDir, false, !firstMedium, !more)) {
            if (!CancelFlag())
                DropLastMedium();
            return false;
        }
    }
    if (!more)
        return false;
    firstMedium = false;
    mediumDir = MediumDirectory();
    MakeDirectory(mediumDir);
    WriteMedia(mediumDir);
    spaceUsed = programSpace;
    return !CancelFlag();
}

// The medium the user could not write is forgotten; the run finishes with the earlier ones.
void BackupRun::DropLastMedium() {
    Model &m = model;
    control.stopFlag = true;
    m.Media.removeLast();
    RemoveDirectoryTree(mediumDir);
    if (method == WriteMethod::XpWay)
        MakeDirectory(mediumDir);
    for (FileRecord &file : m.Files) {
        if (file.Versions.isEmpty())
            continue;
        VersionRecord &latest = file.Versions.last();
        latest.ComputeLastMedium();
        if (latest.LastMedium > m.MediaLast())
            file.Versions.removeLast();
    }
}

void BackupRun::ShowMediumLine() {
    const Model &m = model;
    const int used = m.MediaLast() + 1 - m.Backups.last().FirstMedium;
    const QString mediaUsed = QStringLiteral("Media Used: ") + QString::number(used) +
                              QStringLiteral(" Of Est. ") + QString::number(used + estimate + 1);
    const double size = m.Settings.MediaSize;
    const QString free =
        size < 0 ? QStringLiteral("Unlimited") : FormatSize(qMax(0.0, size - spaceUsed));
    const double mediumFraction = size > 0 ? spaceUsed / size : 0;
    const double totalFraction = totalToBackup > 0 ? writtenTotal / totalToBackup : 0;
    view.SetMediumLine(mediaUsed, free, mediumFraction, totalFraction);
}
