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

} // namespace platform
