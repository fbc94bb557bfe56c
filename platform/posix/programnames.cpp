#include "platform.h"

namespace platform {

QString ExecutableName(const QString &baseName) {
    return baseName;
}

QString LibraryFileName(const QString &baseName) {
    return QStringLiteral("lib") + baseName + QStringLiteral(".so");
}

QString BatchFileName(const QString &baseName) {
    return baseName;
}

} // namespace platform
