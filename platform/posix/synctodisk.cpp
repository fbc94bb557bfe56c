#include "platform.h"

#include <cerrno>
#include <unistd.h>

namespace platform {

bool SyncToDisk(int fd) {
    if (fd < 0) {
        errno = EBADF;
        return false;
    }
    while (::fsync(fd) != 0) {
        if (errno == EINTR)
            continue;
        // Devices and some file systems cannot sync; nothing of theirs is lost by that.
        return errno == EINVAL || errno == EROFS;
    }
    return true;
}

} // namespace platform
