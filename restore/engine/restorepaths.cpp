#include "restorepaths.h"

#include "platform.h"

#include <QFileInfo>

namespace {

// '/' and the system's own separator: on POSIX a backslash is part of a name.
bool IsSeparator(QChar c) {
    return c == QLatin1Char('/') || c == platform::Separator();
}

bool HasParentComponent(const QString &path) {
    qsizetype start = 0;
    for (qsizetype i = 0; i <= path.size(); ++i) {
        if (i < path.size() && !IsSeparator(path.at(i)))
            continue;
        if (i - start == 2 && path.at(start) == QLatin1Char('.') &&
            path.at(start + 1) == QLatin1Char('.'))
            return true;
        start = i + 1;
    }
    return false;
}

// Only Windows has drives; elsewhere "c:" is a name like any other.
bool HasDrive(const QString &path) {
#ifdef Q_OS_WIN
    return path.size() >= 2 && path.at(1) == QLatin1Char(':');
#else
    Q_UNUSED(path);
    return false;
#endif
}

qsizetype LastSeparator(const QString &path) {
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        if (IsSeparator(path.at(i)))
            return i;
    }
    return -1;
}

} // namespace

bool SafeFileName(const QString &name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(platform::Separator());
}

bool SafeAbsolutePath(const QString &path) {
    return platform::IsAbsolutePath(path) && !HasParentComponent(path);
}

bool SafeRelativePath(const QString &path) {
    return !path.isEmpty() && !platform::IsAbsolutePath(path) && !IsSeparator(path.at(0)) &&
           !HasDrive(path) && !HasParentComponent(path);
}

MediumFolder::MediumFolder(const QString &folder)
    : folder(folder), root(QFileInfo(folder).canonicalFilePath()) {}

bool MediumFolder::InsideRoot(const QString &real) const {
    if (root.isEmpty() || real.isEmpty())
        return false;
    if (root.endsWith(QLatin1Char('/'))) // a file-system root holds everything on it
        return real.startsWith(root);
    return real == root || (real.startsWith(root) && real.at(root.size()) == QLatin1Char('/'));
}

bool MediumFolder::Holds(const QString &relative) {
    const QFileInfo target(folder + relative);
    if (target.isSymLink())
        return InsideRoot(target.canonicalFilePath());
    if (!target.exists())
        return true; // nothing to read; the copy reports the missing file
    const qsizetype cut = LastSeparator(relative);
    return cut < 0 ? InsideRoot(root) : !RealDirectory(relative.left(cut)).isEmpty();
}

QString MediumFolder::RealDirectory(const QString &relative) {
    const auto known = realDirectories.constFind(relative);
    if (known != realDirectories.constEnd())
        return *known;
    const qsizetype cut = LastSeparator(relative);
    const QString parent = cut < 0 ? root : RealDirectory(relative.left(cut));
    QString real;
    if (!parent.isEmpty()) {
        // Only a link can lead elsewhere; a plain directory lies where its parent does.
        const QFileInfo info(folder + relative);
        if (info.isSymLink())
            real = info.canonicalFilePath();
        else
            real = parent + (parent.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/")) +
                   relative.mid(cut + 1);
        if (!InsideRoot(real))
            real.clear();
    }
    realDirectories.insert(relative, real);
    return real;
}
