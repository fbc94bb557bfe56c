// A path that was a file in one backup and a folder in another: both kinds cannot be restored
// at once, and the backup that saw the path last tells which one it held.

#include "restoreselection.h"

#include "model.h"
#include "platform.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace {

// The backup the file's version to restore comes from.
int BackupOf(const FileRecord &file, const RestoreFileState &state) {
    return file.Versions.at(state.UseVersion).BackupIndex;
}

} // namespace

QList<int> RestoreSelection::ReplacedFiles() const {
    // The files to restore: ticked and shown, with a version.
    const auto ticked = [&](qsizetype i) {
        return files[i].Ticked && files[i].Shown && files[i].UseVersion >= 0 &&
               files[i].UseVersion <= model.Files[i].VersionsLast();
    };
    QHash<QString, int> fileAt; // comparable full path -> index
    for (qsizetype i = 0; i < files.size(); ++i)
        if (ticked(i))
            fileAt.insert(platform::ComparablePath(model.Files[i].Path + model.Files[i].Name),
                          int(i));
    QSet<int> replaced;
    const QChar sep = platform::Separator();
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (!ticked(i))
            continue;
        // Every folder above the file, as the path a file of that name would have.
        QString folder = platform::ComparablePath(model.Files[i].Path);
        while (folder.endsWith(sep) && !platform::IsRoot(folder))
            folder.chop(1);
        for (;;) {
            const auto clash = fileAt.constFind(folder);
            if (clash != fileAt.constEnd()) {
                // The later backup saw the path last; in a tie the folder, which holds more.
                const int file = clash.value();
                const bool fileIsLater =
                    BackupOf(model.Files[file], files[file]) > BackupOf(model.Files[i], files[i]);
                replaced.insert(fileIsLater ? int(i) : file);
            }
            const qsizetype cut = folder.lastIndexOf(sep);
            if (cut <= 0 || platform::IsRoot(folder.left(cut + 1)))
                break;
            folder.truncate(cut);
        }
    }
    QList<int> out(replaced.cbegin(), replaced.cend());
    std::sort(out.begin(), out.end());
    return out;
}
