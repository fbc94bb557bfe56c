#include "zipestimates.h"

#include "programini.h"

#include <QDir>
#include <QFileInfo>

QString ZipEstimatesPath() {
    return QFileInfo(ProgramIniPath()).absoluteDir().filePath(QStringLiteral("ZipEstimates.txt"));
}
