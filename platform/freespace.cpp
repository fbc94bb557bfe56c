#include "platform.h"

#include <QStorageInfo>

namespace platform {

qint64 FreeSpace(const QString &path) {
    const QStorageInfo volume(path);
    if (!volume.isValid() || !volume.isReady())
        return -1;
    return volume.bytesAvailable();
}

} // namespace platform
