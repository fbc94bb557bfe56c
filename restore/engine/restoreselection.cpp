#include "restoreselection.h"

#include "model.h"
#include "platform.h"
#include "sortorder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>

namespace {

// "Sorting " with one more dot each time it is shown, at most every 0.2 s.
class GrowingDots {
public:
    GrowingDots(const std::function<void(const QString &)> &stage, const char *word)
        : stage(stage), text(QString::fromLatin1(word)) {
        shown.start();
    }
    void Tick() {
        if (!stage || shown.elapsed() < 200)
            return;
        shown.restart();
        text += QLatin1Char('.');
        stage(text);
    }

private:
    const std::function<void(const QString &)> &stage;
    QString text;
    QElapsedTimer shown;
};

} // namespace

void RestoreSelection::Build(const std::function<void(const QString &)> &stage) {
    const auto tell = [&stage](const char *caption) {
        if (stage)
            stage(QString::fromLatin1(caption));
    };
    files.clear();
    files.resize(model.Files.size());
    for (qsizetype i = 0; i < model.Files.size(); ++i) {
        files[i].UseVersion = model.Files[i].VersionsLast();
        files[i].SortKey = model.Files[i].Name.toLower();
    }
    tell("Sorting ...");
    GrowingDots sorting(stage, "Sorting ");
    SortFiles([&sorting] { sorting.Tick(); });
    tell("Working");
    tell("Processing Directories ...");
    GrowingDots processing(stage, "Processing Directories ");
    ProcDirsFiles([&processing] { processing.Tick(); });
    RestoreFilter everything;
    for (int b = 0; b <= model.BackupsLast(); ++b)
        everything.selectedBackups.insert(b);
    DoFilter2(everything);
}

void RestoreSelection::SortFiles(const std::function<void()> &progress) {
    sorted.resize(files.size());
    QStringList keys;
    keys.reserve(files.size());
    for (qsizetype i = 0; i < files.size(); ++i) {
        sorted[i] = int(i);
        keys.append(files[i].SortKey);
    }
    SortByKey(sorted, keys, progress);
}

void RestoreSelection::ProcDirsFiles(const std::function<void()> &progress) {
    QHash<QString, int> indexOf; // comparable path -> position in the unsorted list
    QStringList found;
    QList<int> dirOfFile(model.Files.size(), -1);
    for (qsizetype i = 0; i < model.Files.size(); ++i) {
        if (i % 4096 == 4095)
            progress();
        const QString key = platform::ComparablePath(model.Files[i].Path);
        auto it = indexOf.constFind(key);
        if (it == indexOf.constEnd()) {
            it = indexOf.insert(key, int(found.size()));
            found.append(model.Files[i].Path);
        }
        dirOfFile[i] = it.value();
    }
    QList<int> order(found.size());
    QStringList keys;
    for (qsizetype d = 0; d < found.size(); ++d) {
        order[d] = int(d);
        keys.append(found[d].toLower());
    }
    SortByKey(order, keys, progress);
    QList<int> position(found.size());
    directories.clear();
    tree = std::make_unique<clsNode>();
    tree->InitRoot();
    for (qsizetype p = 0; p < order.size(); ++p) {
        position[order[p]] = int(p);
        directories.append(found[order[p]]);
        clsDirectory dir;
        dir.SetNiceDirName(found[order[p]]);
        if (dir.NiceDirName().contains(platform::Separator()))
            tree->AddFullNode(dir);
    }
    for (qsizetype i = 0; i < files.size(); ++i)
        files[i].DirectoryIndex = position[dirOfFile[i]];
}

bool RestoreSelection::ApplyRestoreType(int type, bool programNow) {
    if (type == RestoreChosen)
        return programNow;
    for (qsizetype i = 0; i < files.size(); ++i) {
        files[i].Ticked = type == RestoreAllWithProgram || type == RestoreAllLatest;
        files[i].UseVersion = model.Files[i].VersionsLast();
    }
    for (int replaced : ReplacedFiles())
        files[replaced].Ticked = false;
    return type == RestoreAllWithProgram || type == RestoreProgramOnly;
}

namespace {

bool PassesNameFilter(const QString &name, const QString &filename, const QString &extension) {
    if (filename.isEmpty() && extension.isEmpty())
        return true;
    const QString upper = name.toUpper();
    const qsizetype dot = upper.lastIndexOf(QLatin1Char('.'));
    // A name without a dot is all base; its "extension" is the box's own text, as typed.
    const QString base = dot < 0 ? upper : upper.left(dot);
    const QString ext = dot < 0 ? extension : upper.mid(dot + 1);
    bool shown = true;
    if (!base.isEmpty())
        shown = base.contains(filename.trimmed().toUpper());
    if (!ext.isEmpty())
        shown = shown && ext.contains(extension.trimmed().toUpper());
    return shown;
}

} // namespace

bool RestoreSelection::DoFilter2(const RestoreFilter &filter) {
    bool changed = false;
    for (int index : sorted) {
        const FileRecord &f = model.Files[index];
        bool shown = f.VersionsLast() >= 0;
        if (shown && filter.directoryTicked)
            shown = filter.directoryTicked(platform::ComparablePath(f.Path));
        shown = shown && PassesNameFilter(f.Name, filter.filename, filter.extension);
        if (shown) {
            bool inSelectedBackup = false;
            for (const VersionRecord &v : f.Versions)
                inSelectedBackup =
                    inSelectedBackup || filter.selectedBackups.contains(v.BackupIndex);
            shown = inSelectedBackup;
        }
        if (files[index].Shown != shown) {
            files[index].Shown = shown;
            changed = true;
        }
    }
    return changed;
}

int RestoreSelection::NumberToRestore() const {
    int count = 0;
    for (const RestoreFileState &f : files)
        count += f.Ticked && f.Shown ? 1 : 0;
    return count - 1;
}

QString RestoreSelection::DuplicateNamesMessage() const {
    QHash<QString, int> seen;
    for (int index : sorted)
        if (files[index].Ticked && files[index].Shown)
            ++seen[model.Files[index].Name.toLower()];
    QStringList names;
    QSet<QString> listed;
    for (int index : sorted) {
        if (!files[index].Ticked || !files[index].Shown)
            continue;
        const QString lower = model.Files[index].Name.toLower();
        if (seen.value(lower) > 1 && !listed.contains(lower)) {
            listed.insert(lower);
            names.append(model.Files[index].Name);
        }
    }
    if (names.isEmpty())
        return QString();
    return (names.size() == 1 ? QStringLiteral("This file is duplicated :")
                              : QStringLiteral("These files are duplicated :")) +
           QLatin1Char('\n') + names.join(QStringLiteral(", ")) +
           QStringLiteral("\nWhen restoring files without directory structure, duplicate files "
                          "cannot be restored.\nPlease make sure ticked files are unique.");
}

QString RestoreSelection::NothingSelectedMessage(bool withProgram) const {
    if (withProgram || NumberToRestore() >= 0)
        return QString();
    return QStringLiteral("You must select some files before restoring them!\nPlease note, only "
                          "files shown in the file list can be restored!");
}

bool IsRestoreToEmpty(const QString &directory) {
    const QFileInfo info(directory);
    if (!info.exists())
        return true; // the restore creates it
    if (!info.isDir())
        return false;
    return QDir(directory)
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)
        .isEmpty();
}
