#include "platform.h"

namespace platform {

DriveType DriveTypeOf(const QString &path) {
    // A drive root ends in its separator; a path naming the root itself may lack it.
    QString wanted = ComparablePath(path);
    if (!wanted.endsWith(Separator()))
        wanted += Separator();
    DriveType type = DriveType::Unknown;
    qsizetype longest = -1;
    for (const Drive &drive : Drives()) {
        const QString root = ComparablePath(drive.root);
        if (root.size() > longest && wanted.startsWith(root)) {
            longest = root.size();
            type = drive.type;
        }
    }
    return type;
}

} // namespace platform
