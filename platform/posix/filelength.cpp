#include "platform.h"

#include <QFile>

#include <cerrno>
#include <sys/stat.h>

namespace platform {

qint64 FileLength64(const QString &path, int *errorNumber) {
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        if (errorNumber)
            *errorNumber = FileErrorFromSystem(errno);
        return -1;
    }
    if (errorNumber)
        *errorNumber = ErrNone;
    return qint64(info.st_size);
}

namespace {

FileState StateFrom(const struct stat &info) {
    return {qint64(info.st_size), qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
            unsigned(info.st_mode & 0777)};
}

} // namespace

FileState StateOf(const QString &path) {
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return StateFrom(info);
}

FileState StateOfOpen(int descriptor) {
    struct stat info;
    if (::fstat(descriptor, &info) != 0)
        return {};
    return StateFrom(info);
}

} // namespace platform
