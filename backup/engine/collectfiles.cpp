// The stages "Adding Files To Backup", "Collecting Files", "Finding File Lengths", "Sorting"
// and "Checking Files To Backup".

#include "backuprun.h"

#include "cancelflag.h"
#include "clock.h"
#include "doevents.h"
#include "listing.h"
#include "mergesort.h"
#include "model.h"
#include "patterns.h"
#include "platform.h"
#include "prompt.h"
#include "sizerules.h"

#include <QFileInfo>

namespace {

// Lengths from 2 GiB up are more than the program's size accounting was made for.
constexpr qint64 TooBigBytes = qint64(1) << 31;

// A file is a node of the collection tree under its full path with a separator added, so that
// the tree can hold it beside the directories.
QString FileKey(const QString &path, const QString &name) {
    return path + name + platform::Separator();
}

} // namespace

clsNode *BackupRun::Lookup(const QString &path) {
    clsDirectory dir;
    dir.SetNiceDirName(path);
    return tree->FindFullNode(dir);
}

QString BackupRun::Counter(int index) const {
    return QString::number(index + 1) + QStringLiteral(" Of ") +
           QString::number(TheModel().FilesLast() + 1);
}

void BackupRun::AddKnownFiles() {
    QList<FileRecord> &files = TheModel().Files;
    view.SetStage(QStringLiteral("Adding Files To Backup"), Counter(-1));
    for (int i = 0; i < files.size(); ++i) {
        FileRecord &file = files[i];
        view.SetCounter(Counter(i));
        const clsNode *node = Lookup(file.Path);
        file.ToBackUp = node && node->NodeVal().Selected && !file.Name.isEmpty();
        // A name that is a directory now is listed as one; its old record is dropped later.
        if (!file.ToBackUp || Lookup(FileKey(file.Path, file.Name)))
            continue;
        clsDirectory known;
        known.SetNiceDirName(FileKey(file.Path, file.Name));
        known.Processed = true;
        tree->AddFullNode(known)->NodeVal().Processed = true;
    }
}

void BackupRun::CollectFiles() {
    collected = 0;
    view.SetStage(QStringLiteral("Collecting Files"), QStringLiteral("0 Collected"));
    ProcNodes(tree.get());
}

void BackupRun::ProcNodes(clsNode *node) {
    if (CancelFlag())
        return;
    const clsDirectory &value = node->NodeVal();
    if (value.Selected && !value.Processed)
        ListFiles(node);
    for (int i = 0; i <= node->GetNumNodes(); ++i) {
        ProcNodes(node->GetNode(i));
        if (CancelFlag())
            return;
    }
}

void BackupRun::ListFiles(clsNode *node) {
    node->NodeVal().Processed = true;
    const QString dir = node->NodeVal().NiceDirName();
    const QString patterns = node->NodeVal().Patterns;
    QList<FileRecord> &files = TheModel().Files;
    for (const QString &name : ListDirectory(dir).files) {
        DoEvents();
        if (CancelFlag())
            return;
        if (!MatchesPatternList(name, patterns))
            continue;
        if (UnstorableName(name)) {
            WarnUser(dir + name, QStringLiteral("The file \"") + dir + name +
                                     QStringLiteral("\" cannot be backed up as its name holds a "
                                                    "'|' or a line break!"));
            continue;
        }
        const QString key = FileKey(dir, name);
        if (Lookup(key))
            continue;
        if (files.size() == files.capacity())
            files.reserve(files.size() + 10000);
        FileRecord record;
        record.Path = dir;
        record.Name = name;
        record.ToBackUp = true;
        files.append(record);
        clsDirectory known;
        known.SetNiceDirName(key);
        known.Processed = true;
        tree->AddFullNode(known)->NodeVal().Processed = true;
        ++collected;
        view.SetCounter(QString::number(collected) + QStringLiteral(" Collected"));
    }
}

void BackupRun::FindLengths() {
    Model &m = TheModel();
    view.SetStage(QStringLiteral("Finding File Lengths"), Counter(-1));
    for (int i = 0; i < m.Files.size(); ++i) {
        FileRecord &file = m.Files[i];
        if (!file.ToBackUp)
            continue;
        view.SetCounter(Counter(i));
        DoEvents();
        if (CancelFlag())
            return;
        // Only a regular file is read; anything else counts as unreadable and is dropped.
        const QFileInfo info(file.Path + file.Name);
        const qint64 bytes =
            info.isFile() && !info.isSymLink() ? platform::FileLength64(info.filePath()) : -1;
        file.Size = double(bytes);
        file.SizeOnDisk = 0;
        if (bytes >= TooBigBytes) {
            MsgBox(QStringLiteral("Oh dear!\nA file you are attempting to back up is too big for "
                                  "me to handle!\nThe following file will not be backed up:\n") +
                       file.Path + QStringLiteral("  :  ") + file.Name,
                   MsgButtons::OK);
            file.ToBackUp = false;
            file.Size = 0;
        } else if (bytes > 0) {
            file.SizeOnDisk = SizeOnDiskKB(file.Size, m.Settings.ClusterSize);
            file.Size /= 1024;
        }
    }
}

void BackupRun::SortFiles() {
    view.SetStage(QStringLiteral("Sorting"), QStringLiteral("---"));
    QList<FileRecord> &files = TheModel().Files;
    nextSortYield = SteadyMilliseconds();
    MergeSortFiles(files, 0, int(files.size()) - 1, [this] {
        const qint64 now = SteadyMilliseconds();
        if (now < nextSortYield)
            return;
        nextSortYield = now + 100;
        DoEvents();
    });
}

bool BackupRun::NeedsCopy(const FileRecord &file) const {
    if (file.Size <= 0)
        return false;
    if (options.chkFresh || file.VersionsLast() == -1)
        return true;
    const Model &m = TheModel();
    VersionRecord latest = file.Versions.last();
    latest.ComputeLastMedium();
    for (int medium = latest.MediumIndex; medium <= latest.LastMedium; ++medium) {
        // A medium the model does not know cannot be relied on either.
        if (medium < 0 || medium > m.MediaLast() || !m.Media[medium].Available)
            return true;
    }
    return platform::ArchiveAttributeSet(file.Path + file.Name);
}

void BackupRun::CheckFiles() {
    Model &m = TheModel();
    view.SetStage(QStringLiteral("Checking Files To Backup"), Counter(-1));
    for (int i = 0; i < m.Files.size(); ++i) {
        FileRecord &file = m.Files[i];
        if (!file.ToBackUp)
            continue;
        view.SetCounter(Counter(i));
        file.ToBackUp = NeedsCopy(file);
        if (!file.ToBackUp)
            continue;
        file.Placed = false;
        file.Prepared = false;
        ++filesToBackup;
        totalToBackup += file.SizeOnDisk;
    }
}
