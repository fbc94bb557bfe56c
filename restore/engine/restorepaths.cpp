#include "restorepaths.h"

#include "platform.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

// Both separators count, as a file written on one system may be read on the other.
bool HasParentComponent(const QString &path) {
    static const QRegularExpression separators(QStringLiteral("[/\\\\]"));
    return path.split(separators).contains(QStringLiteral(".."));
}

bool HasDrive(const QString &path) {
    return path.size() >= 2 && path.at(1) == QLatin1Char(':');
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
    return !path.isEmpty() && !platform::IsAbsolutePath(path) &&
           !path.startsWith(QLatin1Char('/')) && !path.startsWith(QLatin1Char('\\')) &&
           !HasDrive(path) && !HasParentComponent(path);
}

bool InsideFolder(const QString &folder, const QString &relative) {
    const QFileInfo target(folder + relative);
    if (!target.exists())
        return true; // nothing to read; the copy reports the missing file
    // The medium's folder is the same for file after file; resolving it anew for each one
    // was a good part of a restore's time.
    static QString lastFolder;
    static QString lastRoot;
    if (folder != lastFolder || lastRoot.isEmpty()) {
        lastFolder = folder;
        lastRoot = QFileInfo(folder).canonicalFilePath();
    }
    const QString root = lastRoot;
    const QString resolved = target.canonicalFilePath();
    if (root == QLatin1String("/"))
        return true;
    return !root.isEmpty() && resolved.startsWith(root + QLatin1Char('/'));
}
