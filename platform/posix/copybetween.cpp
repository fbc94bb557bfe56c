#include "platform.h"

#include <cerrno>
#include <unistd.h>

namespace platform {

qint64 CopyBetweenDescriptors(int in, qint64 inOffset, int out, qint64 outOffset, qint64 length) {
#ifdef __linux__
    loff_t from = inOffset;
    loff_t to = outOffset;
    const ssize_t copied = ::copy_file_range(in, &from, out, &to, size_t(length), 0);
    if (copied >= 0)
        return copied;
    // Old kernels, other file systems or special files: the buffered copy still works there.
    if (errno == ENOSYS || errno == EXDEV || errno == EINVAL || errno == EOPNOTSUPP ||
        errno == EBADF || errno == ETXTBSY)
        return -2;
    return -1;
#else
    (void)in, (void)inOffset, (void)out, (void)outOffset, (void)length;
    return -2;
#endif
}

qint64 DataFrom(int fd, qint64 offset) {
#ifdef SEEK_DATA
    // The descriptor's position is the reader's: it is put back where it was.
    const off_t here = ::lseek(fd, 0, SEEK_CUR);
    if (here < 0)
        return offset;
    off_t found = ::lseek(fd, off_t(offset), SEEK_DATA);
    // Nothing but a hole up to the end.
    if (found < 0 && errno == ENXIO)
        found = ::lseek(fd, 0, SEEK_END);
    ::lseek(fd, here, SEEK_SET);
    return found >= offset ? qint64(found) : offset;
#else
    (void)fd;
    return offset;
#endif
}

} // namespace platform
