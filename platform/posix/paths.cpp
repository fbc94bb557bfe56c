#include "platform.h"

namespace platform {

QChar Separator() {
    return QLatin1Char('/');
}

QString SeparatorString() {
    return QStringLiteral("/");
}

QString RelativeForm(const QString &path) {
    qsizetype start = 0;
    while (start < path.size() && path.at(start) == QLatin1Char('/'))
        ++start;
    return path.mid(start);
}

QString ComparablePath(const QString &path) {
    return path;
}

bool PathsEqual(const QString &a, const QString &b) {
    return a == b;
}

bool IsRoot(const QString &path) {
    return path == QLatin1String("/");
}

QString RootOf(const QString & /*path*/) {
    return QStringLiteral("/");
}

bool IsAbsolutePath(const QString &path) {
    return path.startsWith(QLatin1Char('/'));
}

bool NamesMayEndInSpace() {
    return true;
}

} // namespace platform
