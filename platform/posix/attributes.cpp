#include "platform.h"

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace platform {

namespace {

// The file counts as backed up while this attribute names its current modification time and
// size and the path it was marked at. Writing the attribute changes the file's ctime only, so the
// stamp stays valid after it is written. The path is part of it because the attribute travels with
// the file: a file renamed, or copied with its attributes, must not pass for the one marked.
constexpr const char *archiveAttribute = "user.pellmoor.archive";

// FNV-1a over the bytes of a path, in steps, so that the directory's part is hashed once for all
// its files.
constexpr quint64 PathHashStart = 14695981039346656037ULL;
quint64 PathHash(QByteArrayView bytes, quint64 hash = PathHashStart) {
    for (const char c : bytes) {
        hash ^= quint8(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

// The stamp as text, "<nanoseconds> <size> <path hash in hex>", without a heap allocation: it is
// made for every file. A stamp of an older form never matches one of these.
struct Stamp {
    char text[64];
    size_t length = 0;
    QByteArrayView View() const { return QByteArrayView(text, qsizetype(length)); }
};

Stamp StampOf(qint64 modifiedNanoseconds, qint64 length, quint64 pathHash) {
    Stamp stamp;
    char *const limit = stamp.text + sizeof stamp.text;
    char *end = std::to_chars(stamp.text, limit, modifiedNanoseconds).ptr;
    *end++ = ' ';
    end = std::to_chars(end, limit, length).ptr;
    *end++ = ' ';
    end = std::to_chars(end, limit, pathHash, 16).ptr;
    stamp.length = size_t(end - stamp.text);
    return stamp;
}

Stamp StampOf(const struct stat &info, quint64 pathHash) {
    return StampOf(qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
                   qint64(info.st_size), pathHash);
}

// Opened without blocking, so that a FIFO never hangs the run.
int OpenForAttributes(const QByteArray &name) {
    return ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}

// Whether the stored stamp (length bytes of stored, negative when there is none) differs from
// the one the file has now.
bool StampDiffers(const char *stored, ssize_t length, const struct stat &info, quint64 pathHash) {
    return length < 0 || QByteArrayView(stored, length) != StampOf(info, pathHash).View();
}

bool StampDiffers(const QByteArray &name, const struct stat &info) {
    char stored[80];
    return StampDiffers(stored,
                        ::getxattr(name.constData(), archiveAttribute, stored, sizeof stored), info,
                        PathHash(name));
}

#if defined(__linux__)
#ifndef SYS_getxattrat
#define SYS_getxattrat 464 // the same number on every Linux architecture
#endif
// The kernel's argument block of getxattrat.
struct XattrArgs {
    quint64 value;
    quint32 size;
    quint32 flags;
};
#endif

// The attribute of a file relative to an open directory, not following a link. Where the
// system has no such call (Linux before 6.13 answers ENOSYS, a sandbox may refuse it), the full
// path is read instead, from then on.
ssize_t AttributeAt(int dirFd, const char *name, const QByteArray &dirPath, char *value,
                    size_t size) {
#if defined(__linux__)
    static bool atMissing = false;
    if (!atMissing) {
        XattrArgs args{quint64(quintptr(value)), quint32(size), 0};
        const long length = ::syscall(SYS_getxattrat, dirFd, name, AT_SYMLINK_NOFOLLOW,
                                      archiveAttribute, &args, sizeof args);
        // EINVAL too: a kernel that knows the number but not this argument block.
        if (length >= 0 || (errno != ENOSYS && errno != EPERM && errno != EINVAL))
            return ssize_t(length);
        atMissing = true;
    }
#else
    Q_UNUSED(dirFd);
#endif
    return ::lgetxattr((dirPath + name).constData(), archiveAttribute, value, size);
}

} // namespace

bool ArchiveAttributeSet(const QString &path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info;
    return ::stat(name.constData(), &info) != 0 || StampDiffers(name, info);
}

qint64 RegularFileLength64(const QString &path, bool *archiveSet) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info;
    if (::lstat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode)) {
        if (archiveSet)
            *archiveSet = true;
        return -1;
    }
    if (archiveSet)
        *archiveSet = StampDiffers(name, info);
    return qint64(info.st_size);
}

bool ClearArchiveAttribute(const QString &path, int *errorNumber) {
    // The stamp and the attribute go through one descriptor, so they describe the same file.
    const QByteArray name = QFile::encodeName(path);
    const int fd = OpenForAttributes(name);
    int error = 0;
    if (fd < 0) {
        error = errno;
    } else {
        struct stat info;
        if (::fstat(fd, &info) != 0) {
            error = errno;
        } else {
            const Stamp stamp = StampOf(info, PathHash(name));
            if (::fsetxattr(fd, archiveAttribute, stamp.text, stamp.length, 0) != 0)
                error = errno;
        }
        ::close(fd);
    }
    if (errorNumber)
        *errorNumber = FileErrorFromSystem(error);
    return error == 0;
}

bool ClearArchiveAttributeAsOf(const QString &path, const FileState &seen, int *errorNumber) {
    const QByteArray name = QFile::encodeName(path);
    const Stamp stamp = StampOf(seen.modified, seen.length, PathHash(name));
    const int error =
        ::lsetxattr(name.constData(), archiveAttribute, stamp.text, stamp.length, 0) == 0 ? 0
                                                                                          : errno;
    if (errorNumber)
        *errorNumber = FileErrorFromSystem(error);
    return error == 0;
}

bool SetArchiveAttribute(const QString &path) {
    const int fd = OpenForAttributes(QFile::encodeName(path));
    if (fd < 0)
        return false;
    // Where no stamp can be stored (a FIFO, a file system without extended attributes) there is
    // none to remove, and the file already counts as changed.
    const bool removed = ::fremovexattr(fd, archiveAttribute) == 0 ||
                         ::fgetxattr(fd, archiveAttribute, nullptr, 0) < 0;
    ::close(fd);
    return removed;
}

struct OpenDirectory::Impl {
    QByteArray path;                  // ends in '/'
    quint64 pathHash = PathHashStart; // of path, to be carried on over a name
    int fd = -1;
};

OpenDirectory::OpenDirectory(const QString &dir) : impl(std::make_unique<Impl>()) {
    impl->path = QFile::encodeName(dir);
    if (!impl->path.endsWith('/'))
        impl->path += '/';
    impl->pathHash = PathHash(impl->path);
    impl->fd = ::open(impl->path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

OpenDirectory::~OpenDirectory() {
    if (impl->fd >= 0)
        ::close(impl->fd);
}

qint64 OpenDirectory::RegularFileLength64(const QString &name, bool *archiveSet) const {
    const QByteArray encoded = QFile::encodeName(name);
    struct stat info;
    if (impl->fd < 0 || ::fstatat(impl->fd, encoded.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(info.st_mode)) {
        if (archiveSet)
            *archiveSet = true;
        return -1;
    }
    if (archiveSet) {
        char stored[80];
        const ssize_t length =
            AttributeAt(impl->fd, encoded.constData(), impl->path, stored, sizeof stored);
        *archiveSet = StampDiffers(stored, length, info, PathHash(encoded, impl->pathHash));
    }
    return qint64(info.st_size);
}

} // namespace platform
