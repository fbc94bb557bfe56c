// Untested: written for the Windows build, never compiled here.
#include "platform.h"

namespace platform {

QChar Separator() {
    return QLatin1Char('\\');
}

QString SeparatorString() {
    return QStringLiteral("\\");
}

QString RelativeForm(const QString &path) {
    QString relative = path;
    relative.remove(QLatin1Char(':'));
    return relative;
}

QString ComparablePath(const QString &path) {
    return path.toUpper();
}

bool PathsEqual(const QString &a, const QString &b) {
    return ComparablePath(a) == ComparablePath(b);
}

namespace {
bool StartsWithDrive(const QString &path) {
    return path.size() >= 2 && path.at(0).isLetter() && path.at(1) == QLatin1Char(':');
}
} // namespace

bool IsRoot(const QString &path) {
    return StartsWithDrive(path) &&
           (path.size() == 2 || (path.size() == 3 && path.at(2) == QLatin1Char('\\')));
}

QString RootOf(const QString &path) {
    if (StartsWithDrive(path))
        return path.left(2) + Separator();
    // "\\server\share\..." lives on the share.
    if (path.startsWith(QLatin1String("\\\\"))) {
        const qsizetype server = path.indexOf(QLatin1Char('\\'), 2);
        if (server > 2) {
            const qsizetype share = path.indexOf(QLatin1Char('\\'), server + 1);
            return (share < 0 ? path : path.left(share)) + Separator();
        }
    }
    return QString();
}

bool IsAbsolutePath(const QString &path) {
    return (StartsWithDrive(path) && path.size() >= 3 && path.at(2) == QLatin1Char('\\')) ||
           path.startsWith(QLatin1String("\\\\"));
}

bool NamesMayEndInSpace() {
    return false;
}

} // namespace platform
