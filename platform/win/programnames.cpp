// Untested: written for the Windows build, never compiled here.
#include "platform.h"

namespace platform {

QString ExecutableName(const QString &baseName) {
    return baseName + QStringLiteral(".exe");
}

QString LibraryFileName(const QString &baseName) {
    return baseName + QStringLiteral(".dll");
}

QString BatchFileName(const QString &baseName) {
    return baseName;
}

} // namespace platform
