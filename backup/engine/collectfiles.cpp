// The stages "Adding Files To Backup", "Collecting Files", "Finding File Lengths", "Sorting"
// and "Checking Files To Backup".

#include "collector.h"

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

#include <algorithm>
#include <memory>

clsNode *Collector::Lookup(const QString &path) {
    clsDirectory dir;
    dir.SetNiceDirName(path);
    return tree->FindFullNode(dir);
}

QStringList &Collector::KnownNames(const QString &path) {
    return knownFiles[platform::ComparablePath(path)];
}

QString Collector::Counter(int index) const {
    return QString::number(index + 1) + QStringLiteral(" Of ") +
           QString::number(model.FilesLast() + 1);
}

void Collector::ShowCount(int index, bool last) {
    if (!last && !pacer.Due())
        return;
    view.SetCounter(Counter(index));
    DoEvents();
}

void Collector::AddKnownFiles() {
    QList<FileRecord> &files = model.Files;
    work.assign(files.size(), BackupFile());
    view.SetStage(QStringLiteral("Adding Files To Backup"), Counter(-1));
    // Records of one directory follow each other, so one look in the tree serves them all.
    QString lastPath;
    bool lastIncluded = false;
    QStringList *known = nullptr;
    for (int i = 0; i < files.size(); ++i) {
        FileRecord &file = files[i];
        ShowCount(i, i + 1 == files.size());
        if (i == 0 || file.Path != lastPath) {
            lastPath = file.Path;
            const clsNode *node = Lookup(file.Path);
            lastIncluded = node && node->NodeVal().Selected;
            known = lastIncluded ? &KnownNames(file.Path) : nullptr;
        }
        work[i].ToBackUp = lastIncluded && !file.Name.isEmpty() && !ExcludedName(file.Name);
        if (work[i].ToBackUp)
            known->append(platform::ComparablePath(file.Name));
    }
    // Sorted once, each directory's names answer by binary search while its files are listed.
    for (QStringList &names : knownFiles)
        names.sort();
}

void Collector::CollectFiles() {
    collected = 0;
    view.SetStage(QStringLiteral("Collecting Files"), QStringLiteral("0 Collected"));
    ProcNodes(tree.get());
    knownFiles.clear();
    listedFiles.clear();
    view.SetCounter(QString::number(collected) + QStringLiteral(" Collected"));
}

void Collector::ProcNodes(clsNode *node) {
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

void Collector::ListFiles(clsNode *node) {
    node->NodeVal().Processed = true;
    const QString dir = node->NodeVal().NiceDirName();
    const QString patterns = node->NodeVal().Patterns;
    QList<FileRecord> &files = model.Files;
    // The walk over the directories listed most of them already.
    const auto listed = listedFiles.constFind(dir);
    const QStringList names = listed != listedFiles.cend() ? *listed : ListDirectory(dir).files;
    // A directory is listed once and its names are unique, so only the records that existed
    // before can be met again.
    const QStringList known = knownFiles.value(platform::ComparablePath(dir));
    for (const QString &name : names) {
        if (pacer.Due()) {
            view.SetCounter(QString::number(collected) + QStringLiteral(" Collected"));
            DoEvents();
        }
        if (CancelFlag())
            return;
        if (!MatchesPatternList(name, patterns) || ExcludedName(name))
            continue;
        if (UnstorableName(name)) {
            LeaveOut(dir + name, QStringLiteral("The file \"") + dir + name +
                                     QStringLiteral("\" cannot be backed up as its name holds a "
                                                    "'|' or a line break!"));
            continue;
        }
        if (std::binary_search(known.cbegin(), known.cend(), platform::ComparablePath(name)))
            continue;
        if (files.size() == files.capacity()) {
            files.reserve(files.size() + 10000);
            work.reserve(work.size() + 10000);
        }
        FileRecord record;
        record.Path = dir;
        record.Name = name;
        files.append(record);
        work.emplace_back().ToBackUp = true;
        ++collected;
    }
}

void Collector::FindLengths() {
    view.SetStage(QStringLiteral("Finding File Lengths"), Counter(-1));
    // The files of one directory follow each other: each is looked at by its name in the
    // directory held open for them, not by its full path. A file alone in its directory is
    // looked at by its full path, which costs less than opening and closing the directory.
    std::unique_ptr<platform::OpenDirectory> dir;
    QString dirPath;
    const auto sharesDirectory = [this](int i) {
        return i + 1 < model.Files.size() && model.Files[i + 1].Path == model.Files[i].Path;
    };
    for (int i = 0; i < model.Files.size(); ++i) {
        const FileRecord &file = model.Files[i];
        BackupFile &w = work[i];
        if (!w.ToBackUp)
            continue;
        ShowCount(i, false);
        if (CancelFlag())
            return;
        if (i == 0 || file.Path != dirPath) {
            dirPath = file.Path;
            dir.reset();
            if (sharesDirectory(i))
                dir = std::make_unique<platform::OpenDirectory>(dirPath);
        }
        // Only a regular file is read; anything else counts as unreadable and is dropped.
        // The archive attribute is read in the same look, where the check will need it.
        const bool needsArchive = !options.chkFresh && file.VersionsLast() >= 0;
        bool *archiveSet = needsArchive ? &w.ArchiveSet : nullptr;
        const qint64 bytes = dir ? dir->RegularFileLength64(file.Name, archiveSet)
                                 : platform::RegularFileLength64(file.Path + file.Name, archiveSet);
        w.SizeKB = bytes > 0 ? double(bytes) / 1024 : double(bytes);
        w.SizeOnDisk = 0;
        if (bytes > 0)
            w.SizeOnDisk = SizeOnDiskKB(double(bytes), model.Settings.ClusterSize);
    }
    view.SetCounter(Counter(model.FilesLast()));
}

void Collector::SortFiles() {
    view.SetStage(QStringLiteral("Sorting"), QStringLiteral("---"));
    QList<FileRecord> &files = model.Files;
    // With no file to copy the run ends after the check and the order is never used.
    bool anyCopy = false;
    for (int i = 0; i < files.size() && !anyCopy; ++i)
        anyCopy = work[i].ToBackUp && NeedsCopy(files[i], work[i]);
    if (!anyCopy)
        return;
    nextSortYield = SteadyMilliseconds();
    MergeSortFiles(files, work, 0, int(files.size()) - 1, [this] {
        const qint64 now = SteadyMilliseconds();
        if (now < nextSortYield)
            return;
        nextSortYield = now + 100;
        DoEvents();
    });
}

bool Collector::NeedsCopy(const FileRecord &file, const BackupFile &w) const {
    // An empty file is stored too (as a version of size 0): restoring its older content instead
    // would bring back what the user removed.
    if (w.SizeKB < 0)
        return false;
    if (options.chkFresh || file.VersionsLast() == -1)
        return true;
    VersionRecord latest = file.Versions.last();
    latest.ComputeLastMedium();
    for (int medium = latest.MediumIndex; medium <= latest.LastMedium; ++medium) {
        // A medium the model does not know cannot be relied on either.
        if (medium < 0 || medium > model.MediaLast() || !model.Media[medium].Available)
            return true;
    }
    return w.ArchiveSet;
}

void Collector::CheckFiles() {
    view.SetStage(QStringLiteral("Checking Files To Backup"), Counter(-1));
    for (int i = 0; i < model.Files.size(); ++i) {
        BackupFile &w = work[i];
        if (!w.ToBackUp)
            continue;
        ShowCount(i, false);
        w.ToBackUp = NeedsCopy(model.Files[i], w);
        if (!w.ToBackUp)
            continue;
        w.Placed = false;
        w.Prepared = false;
        ++filesToBackup;
        totalToBackup += w.SizeOnDisk;
    }
    view.SetCounter(Counter(model.FilesLast()));
}
