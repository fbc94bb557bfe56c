#include "filestamp.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>

bool SetStamp(const QString &path, int mode, qint64 seconds) {
    const QByteArray name = QFile::encodeName(path);
    const struct timespec times[2] = {{time_t(seconds), 0}, {time_t(seconds), 0}};
    return ::chmod(name.constData(), mode_t(mode)) == 0 &&
           ::utimensat(AT_FDCWD, name.constData(), times, 0) == 0;
}

FileStamp StampOf(const QString &path) {
    struct stat info;
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return {int(info.st_mode & 07777), qint64(info.st_mtim.tv_sec)};
}
