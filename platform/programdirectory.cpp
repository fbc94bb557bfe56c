#include "platform.h"

#include <QCoreApplication>
#include <QDir>

namespace platform {

namespace {
QString programDirectoryOverride;
}

QString ProgramDirectory() {
    QString dir = programDirectoryOverride;
    if (dir.isEmpty())
        dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                           : QDir::currentPath();
    dir = QDir::toNativeSeparators(dir);
    if (!dir.endsWith(Separator()))
        dir += Separator();
    return dir;
}

void SetProgramDirectory(const QString &dir) {
    programDirectoryOverride = dir;
}

} // namespace platform
