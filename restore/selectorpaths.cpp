#include "selectorpaths.h"

#include "textutil.h"

#include <QDir>
#include <QFileInfo>

QString DriveRootFor(const QString &dir, const QList<platform::Drive> &drives) {
    const QString wanted = platform::ComparablePath(AddSlashed(dir));
    QString best;
    for (const platform::Drive &drive : drives) {
        const QString root = AddSlashed(drive.root);
        if (root.size() > best.size() && wanted.startsWith(platform::ComparablePath(root)))
            best = root;
    }
    return best;
}

bool CanOpenDirectory(const QString &dir) {
    if (dir.isEmpty())
        return false;
    bool readable = false;
    platform::ReadDirectory(dir, &readable);
    return readable;
}

QString TidyDirectory(const QString &dir) {
    if (!platform::IsAbsolutePath(dir))
        return QString();
    QString tidy = QDir::toNativeSeparators(QDir::cleanPath(QDir::fromNativeSeparators(dir)));
    return AddSlash(tidy);
}

QString NearestOpenDirectory(const QString &dir) {
    QString candidate = TidyDirectory(dir);
    while (!candidate.isEmpty()) {
        if (CanOpenDirectory(candidate))
            return candidate;
        if (platform::IsRoot(candidate))
            break;
        // Up one level: drop the trailing separator, then the last name.
        candidate.chop(1);
        candidate.truncate(candidate.lastIndexOf(platform::Separator()) + 1);
    }
    return QString();
}

SplitPath SplitFilePath(const QString &path) {
    const qsizetype cut = path.lastIndexOf(platform::Separator()) + 1;
    return {path.left(cut), path.mid(cut)};
}
