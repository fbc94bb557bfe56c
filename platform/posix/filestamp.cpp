#include "platform.h"

#include <QFile>

#include <sys/stat.h>

namespace platform {

FileStamp StampOf(const QString &path) {
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return {qint64(info.st_size), quint32(info.st_mode & 0777),
            qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

bool ApplyStamp(int descriptor, const FileStamp &stamp) {
    const struct timespec times[2] = {
        {0, UTIME_OMIT},
        {time_t(stamp.modifiedNs / 1000000000), long(stamp.modifiedNs % 1000000000)}};
    // Only the permission bits: a copy never brings set-id or sticky bits back.
    const bool moded = ::fchmod(descriptor, mode_t(stamp.mode & 0777)) == 0;
    return ::futimens(descriptor, times) == 0 && moded;
}

} // namespace platform
