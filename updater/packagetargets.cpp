#include "packagetargets.h"

#include "platform.h"
#include "upkbody.h"

#include <QFileInfo>

QString UpdaterOwnPath() {
    return platform::ProgramDirectory() + platform::ExecutableName(QStringLiteral("Refitter"));
}

std::optional<QString> ResolveTarget(const QString &target) {
    const QString dir = platform::ProgramDirectory();
    const QString sep = platform::SeparatorString();
    QString path = target;
    path.replace(QLatin1String(UpkProgramDirectoryMark), dir);
    // A package written with the other system's separator still names the same places.
    path.replace(QLatin1Char('\\'), sep).replace(QLatin1Char('/'), sep);
    if (!platform::IsAbsolutePath(path))
        path = dir + path;
    if (path.size() <= dir.size() || !platform::PathsEqual(path.left(dir.size()), dir))
        return std::nullopt;
    QStringList parts;
    for (const QString &part : path.mid(dir.size()).split(sep, Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".."))
            return std::nullopt;
        if (part != QLatin1String("."))
            parts.append(part);
    }
    if (parts.isEmpty())
        return std::nullopt;
    QString resolved = dir + parts.join(sep);
    if (platform::PathsEqual(resolved, UpdaterOwnPath()))
        resolved += QStringLiteral(".this");
    // Every level below the program directory is looked at, so that a link planted there cannot
    // carry a write elsewhere.
    QString level = dir;
    parts.last() = resolved.mid(resolved.lastIndexOf(sep) + 1);
    for (const QString &part : parts) {
        level += part;
        if (QFileInfo(level).isSymLink())
            return std::nullopt;
        level += sep;
    }
    return resolved;
}
