// The run's root, opening and closing media, and the room on the medium being filled.

#include "mediumwriter.h"

#include "cancelflag.h"
#include "fileops.h"
#include "infofile.h"
#include "platform.h"
#include "prompt.h"
#include "sizerules.h"
#include "textutil.h"

#include <cmath>

MediumWriter::MediumWriter(Model &model, BackupView &view, BackupControl &control,
                           WriteMethod method)
    : model(model), view(view), control(control), method(method) {}

QString MediumWriter::MediumDirectory() const {
    if (method == WriteMethod::XpWay)
        return backupRoot;
    return backupRoot + QStringLiteral("MEDIA") + PadNumber(model.MediaLast() + 2, 3) +
           platform::Separator();
}

bool MediumWriter::BackupFolderReady() {
    const QString folder = AddSlashed(model.Settings.BackupDirectory);
    if (DirExists(folder))
        return true;
    // Made without a word, the folder of a disk that is not connected would take the backup
    // onto whichever disk holds that path now.
    const MsgAnswer answer =
        MsgBox(Question::MakeBackupFolder,
               QStringLiteral("The backup folder ") + folder +
                   QStringLiteral(" does not exist. It may be on a disk that is not connected. "
                                  "Create it?"),
               MsgButtons::YesNo, QString(), MsgIcon::Question);
    if (answer == MsgAnswer::Yes)
        MakeDirectoryKeepingCancel(folder);
    if (!CancelFlag() && !DirExists(folder))
        SetCancelFlag(true);
    return !CancelFlag();
}

bool MediumWriter::OpenRoot() {
    backupRoot = AddSlashed(model.Settings.BackupDirectory);
    if (method != WriteMethod::XpWay)
        backupRoot += QStringLiteral("Backup") + PadNumber(model.BackupsLast() + 1, 3) +
                      platform::Separator();
    MakeDirectoryKeepingCancel(backupRoot);
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
    return true;
}

bool MediumWriter::OpenMedium() {
    mediumDir = MediumDirectory();
    MakeDirectoryKeepingCancel(mediumDir);
    const bool ok = WriteMedia(mediumDir);
    spaceUsed = programSpace;
    pieces = 0;
    return ok;
}

bool MediumWriter::TooSmall() const {
    const SettingsRecord &settings = model.Settings;
    return settings.MediaSize >= 0 &&
           settings.MediaSize - programSpace - settings.ClusterSize / 1024 <= 0;
}

MediumWriter::Closed MediumWriter::CloseMedium(bool more, double totalToBackup) {
    Closed closed;
    IncMedia(model);
    // A medium without its information file cannot be restored from on its own.
    if (!SaveIniFile(model,
                     mediumDir + QStringLiteral("!IN_HERE!") + platform::Separator() +
                         QStringLiteral("Backup.Ini"),
                     CurrentIniVersion))
        closed.fileError = true;
    Estimate(1.0, totalToBackup);
    if (method != WriteMethod::AllAtOnce) {
        if (!NextMedia(mediumDir, false, !firstMedium, !more)) {
            if (!CancelFlag())
                DropLastMedium();
            return closed;
        }
    }
    if (!more)
        return closed;
    firstMedium = false;
    if (!OpenMedium())
        closed.fileError = true;
    closed.another = !CancelFlag();
    return closed;
}

// The medium the user could not write is forgotten; the run finishes with the earlier ones.
void MediumWriter::DropLastMedium() {
    control.stopFlag = true;
    model.Media.removeLast();
    RemoveDirectoryTree(mediumDir);
    if (method == WriteMethod::XpWay)
        MakeDirectoryKeepingCancel(mediumDir);
    for (FileRecord &file : model.Files) {
        if (file.Versions.isEmpty())
            continue;
        VersionRecord &latest = file.Versions.last();
        latest.ComputeLastMedium();
        if (latest.LastMedium > model.MediaLast())
            file.Versions.removeLast();
    }
}

bool MediumWriter::Fits(double sizeOnDisk) const {
    const double size = model.Settings.MediaSize;
    if (size < 0)
        return true;
    if (sizeOnDisk > size - programSpace) {
        // The next piece needs room for at least one cluster.
        const double room = size - spaceUsed - model.Settings.ClusterSize / 1024;
        return spaceUsed != size && room > 0;
    }
    return spaceUsed + sizeOnDisk <= size;
}

bool MediumWriter::Spans(double sizeOnDisk) const {
    return model.Settings.MediaSize >= 0 && sizeOnDisk > model.Settings.MediaSize - programSpace;
}

double MediumWriter::PieceRoom() const {
    return (model.Settings.MediaSize - spaceUsed) - model.Settings.ClusterSize / 1024;
}

double MediumWriter::TakeRoom(double length) {
    const double onDisk = SizeOnDiskKB(length * 1024, model.Settings.ClusterSize);
    spaceUsed += onDisk;
    writtenTotal += onDisk;
    ++pieces;
    return onDisk;
}

void MediumWriter::GiveBackRoom(double onDisk) {
    spaceUsed -= onDisk;
    writtenTotal -= onDisk;
    --pieces;
}

void MediumWriter::EnsureDirectory(const QString &path) {
    if (madeDirs.contains(path))
        return;
    MakeDirectoryKeepingCancel(path); // it looks first, and makes only the levels that are missing
    madeDirs.insert(path);
}

void MediumWriter::Estimate(double factor, double totalToBackup) {
    const double free = model.Settings.MediaSize - programSpace;
    if (model.Settings.MediaSize < 0 || free <= 0) {
        estimate = 0;
        return;
    }
    const double media = std::floor((factor * totalToBackup - writtenTotal) / free);
    estimate = int(qBound(0.0, media, 1e9));
}

void MediumWriter::ShowMediumLine(double totalToBackup) {
    const int used = model.MediaLast() + 1 - model.Backups.last().FirstMedium;
    const QString mediaUsed = QStringLiteral("Media Used: ") + QString::number(used) +
                              QStringLiteral(" Of Est. ") + QString::number(used + estimate + 1);
    const double size = model.Settings.MediaSize;
    const QString free =
        size < 0 ? QStringLiteral("Unlimited") : FormatSize(qMax(0.0, size - spaceUsed));
    const double mediumFraction = size > 0 ? spaceUsed / size : 0;
    const double totalFraction = totalToBackup > 0 ? writtenTotal / totalToBackup : 0;
    view.SetMediumLine(mediaUsed, free, mediumFraction, totalFraction);
}

void MediumWriter::RemoveRoot() {
    // Only a root this run checked and filled is removed: before that it may hold the user's
    // files.
    if (!rootReady)
        return;
    RemoveDirectoryTree(backupRoot);
    if (method == WriteMethod::XpWay)
        CreateDirectory(backupRoot);
}
