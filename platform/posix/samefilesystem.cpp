#include "platform.h"

#include <QFile>

#include <sys/stat.h>

namespace platform {

bool SameFileSystem(const QString &a, const QString &b) {
    struct stat first, second;
    if (::stat(QFile::encodeName(a).constData(), &first) != 0 ||
        ::stat(QFile::encodeName(b).constData(), &second) != 0)
        return false;
    return first.st_dev == second.st_dev;
}

} // namespace platform
