#include "platform.h"

#include <QCoreApplication>
#include <QDir>

namespace platform {

namespace {
QString programDirectoryOverride;
}

QChar Separator() {
    return QLatin1Char('/');
}

QString SeparatorString() {
    return QStringLiteral("/");
}

QString ProgramDirectory() {
    QString dir = programDirectoryOverride;
    if (dir.isEmpty())
        dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                           : QDir::currentPath();
    if (!dir.endsWith(Separator()))
        dir += Separator();
    return dir;
}

void SetProgramDirectory(const QString &dir) {
    programDirectoryOverride = dir;
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

QString RootOf(const QString &path) {
    return QStringLiteral("/");
}

bool IsAbsolutePath(const QString &path) {
    return path.startsWith(QLatin1Char('/'));
}

} // namespace platform
