// The start of a run and the stage "Collecting Directories".

#include "collector.h"

#include "cancelflag.h"
#include "clock.h"
#include "datetext.h"
#include "doevents.h"
#include "fileops.h"
#include "listing.h"
#include "model.h"
#include "patterns.h"
#include "platform.h"
#include "prompt.h"
#include "statuslog.h"
#include "textutil.h"

namespace {

QString UnstorableDirectoryWarning(const QString &name) {
    return QStringLiteral("The directory \"") + name +
           QStringLiteral("\"(and all subdirectories) cannot be added as its name holds a '|' or "
                          "a line break!");
}

} // namespace

Collector::Collector(Model &model, const BackupOptions &options, BackupView &view,
                     BackupFiles &work)
    : model(model), options(options), view(view), work(work) {}

void Collector::BuildWorkingList() {
    BackupRecord &record = model.Backups.last();
    for (const clsDirectory &entry : model.Directories) {
        if (!entry.Selected)
            continue;
        // The record would be written with it, so it is left out before it gets there.
        const QString name = AddSlashed(entry.NiceDirName());
        if (UnstorableName(entry.NiceDirName())) {
            LeaveOut(name, UnstorableDirectoryWarning(name));
            continue;
        }
        record.Dirs.append(entry.NiceDirName());
        workDirs.append(WorkDir{entry.Clone(), false});
    }

    QString joined;
    for (int row : options.SelectedPatterns) {
        if (row >= 0 && row <= model.IncludeAllLast())
            joined += model.IncludeAll.at(row) + QLatin1Char(';');
    }
    const QString patterns = ValidatePattern(joined, false, false);
    if (patterns.isEmpty())
        return;
    record.PatternsUsed = patterns;
    for (const platform::Drive &drive : platform::Drives()) {
        if (drive.type != platform::DriveType::Fixed)
            continue;
        clsDirectory root;
        root.SetNiceDirName(AddSlashed(drive.root));
        root.Patterns = patterns;
        root.IncludeSubdirs = true;
        workDirs.append(WorkDir{root, true});
    }
}

void Collector::CollectDirectories() {
    view.SetStage(QStringLiteral("Collecting Directories ..."), QStringLiteral("0"));
    tree = std::make_unique<clsNode>();
    tree->InitRoot();
    knownFiles.clear();
    listedFiles.clear();
    dirCounter = -1;
    backupDirComparable = platform::ComparablePath(AddSlashed(model.Settings.BackupDirectory));
    SortExcludes();
    for (const WorkDir &work : workDirs) {
        if (CancelFlag())
            return;
        DoDirec(work.dir, work.dir.IncludeSubdirs, work.driveWalk);
    }
    view.SetCounter(QString::number(dirCounter + 1));
}

void Collector::WarnUser(const QString &key, const QString &message) {
    if (warnedKeys.contains(key))
        return;
    warnedKeys.insert(key);
    MsgBox(message, MsgButtons::OK);
}

void Collector::LeaveOut(const QString &key, const QString &message) {
    leftOut = true;
    WarnUser(key, message);
}

void Collector::SortExcludes() {
    excludedDirs.clear();
    for (const QString &entry : model.Excludes) {
        if (!IsExcludePattern(entry) && !entry.isEmpty())
            excludedDirs.append(platform::ComparablePath(entry));
    }
    excludedNames = ExcludePatternList(model.Excludes);
}

bool Collector::Excluded(const QString &comparable, const QString &name) const {
    for (const QString &entry : excludedDirs) {
        if (comparable.startsWith(entry))
            return true;
    }
    if (excludedNames.isEmpty())
        return false;
    // The folder's own name, without the separator that ends it.
    const QStringView path = QStringView(name).chopped(1);
    return MatchesPatternList(path.mid(path.lastIndexOf(platform::Separator()) + 1), excludedNames);
}

void Collector::DoDirec(const clsDirectory &dir, bool includeSubdirs, bool driveWalk) {
    if (CancelFlag())
        return;
    ++dirCounter;
    if (pacer.Due()) {
        view.SetCounter(QString::number(dirCounter + 1));
        DoEvents();
    }

    const QString name = AddSlashed(dir.NiceDirName());
    const QString quoted = QStringLiteral("The directory \"") + name + QStringLiteral("\"");
    if (!DirExists(name)) {
        // Its files are left out (an unmounted disk), which the run's result must tell.
        LeaveOut(name, QStringLiteral("A directory selected for backup does not exist!\n(") + name +
                           QStringLiteral(")"));
        return;
    }
    const QString comparable = platform::ComparablePath(name);
    if (comparable == backupDirComparable) {
        WarnUser(name, quoted + QStringLiteral("(and all subdirectories) cannot be added as this "
                                               "is where backups are placed!"));
        return;
    }
    if (!platform::NamesMayEndInSpace() &&
        comparable.contains(QLatin1Char(' ') + platform::Separator())) {
        LeaveOut(name, quoted + QStringLiteral("(and all subdirectories) cannot be added as this "
                                               "directory has trailing spaces!"));
        return;
    }
    if (UnstorableName(name)) {
        LeaveOut(name, UnstorableDirectoryWarning(name));
        return;
    }
    if (Excluded(comparable, name))
        return;

    clsDirectory entry = dir.Clone();
    entry.SetNiceDirName(name);
    entry.IncludeSubdirs = includeSubdirs;
    entry.Processed = false;
    if (!includeSubdirs) {
        tree->AddFullNode(entry);
        return;
    }

    const DirListing listing = ListDirectory(name);
    // Left out whole, as the warning says: its files are not collected by a later listing that
    // happens to succeed either.
    if (!listing.readable) {
        LeaveOut(name, quoted + QStringLiteral("(and all subdirectories) cannot be added as you do "
                                               "not have permission to acess the directory!"));
        return;
    }
    tree->AddFullNode(entry);
    listedFiles.insert(name, listing.files);
    for (const QString &sub : listing.directories) {
        const QString path = name + sub + platform::Separator();
        if (driveWalk && !platform::SameFileSystem(name, path)) {
            StatusPrint(QStringLiteral("Passed over ") + path +
                        QStringLiteral(" (another file system)\n"));
            continue;
        }
        clsDirectory child = dir.Clone();
        child.SetNiceDirName(path);
        DoDirec(child, true, driveWalk);
        if (CancelFlag())
            return;
    }
}
