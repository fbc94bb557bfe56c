#include "programini.h"

#include "platform.h"

namespace {
QString overridePath;
}

QString ProgramIniPath() {
    return overridePath.isEmpty() ? platform::ProgramDirectory() + QStringLiteral("Backup.Ini")
                                  : overridePath;
}

void SetProgramIniPath(const QString &path) {
    overridePath = path;
}
