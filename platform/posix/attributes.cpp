#include "platform.h"

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace platform {

namespace {

// The file counts as backed up while this attribute names its current modification time and size.
// Writing the attribute changes the file's ctime only, so the stamp stays valid after it is
// written.
constexpr const char *archiveAttribute = "user.pellmoor.archive";

QByteArray StampOf(const struct stat &info) {
    const qint64 nanoseconds = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return QByteArray::number(nanoseconds) + ' ' + QByteArray::number(qint64(info.st_size));
}

// Opened without blocking, so that a FIFO never hangs the run.
int OpenForAttributes(const QString &path) {
    return ::open(QFile::encodeName(path).constData(),
                  O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}

} // namespace

bool ArchiveAttributeSet(const QString &path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info;
    if (::stat(name.constData(), &info) != 0)
        return true;
    const QByteArray expected = StampOf(info);
    QByteArray stored(expected.size() + 1, '\0');
    const ssize_t length =
        ::getxattr(name.constData(), archiveAttribute, stored.data(), stored.size());
    return length < 0 || stored.left(length) != expected;
}

bool ClearArchiveAttribute(const QString &path, int *errorNumber) {
    // The stamp and the attribute go through one descriptor, so they describe the same file.
    const int fd = OpenForAttributes(path);
    int error = 0;
    if (fd < 0) {
        error = errno;
    } else {
        struct stat info;
        if (::fstat(fd, &info) != 0) {
            error = errno;
        } else {
            const QByteArray stamp = StampOf(info);
            if (::fsetxattr(fd, archiveAttribute, stamp.constData(), stamp.size(), 0) != 0)
                error = errno;
        }
        ::close(fd);
    }
    if (errorNumber)
        *errorNumber = FileErrorFromSystem(error);
    return error == 0;
}

bool SetArchiveAttribute(const QString &path) {
    const int fd = OpenForAttributes(path);
    if (fd < 0)
        return false;
    // Where no stamp can be stored (a FIFO, a file system without extended attributes) there is
    // none to remove, and the file already counts as changed.
    const bool removed = ::fremovexattr(fd, archiveAttribute) == 0 ||
                         ::fgetxattr(fd, archiveAttribute, nullptr, 0) < 0;
    ::close(fd);
    return removed;
}

} // namespace platform
