#include "platform.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

bool IsFileInUse(const QString &path) {
    // Opening for appending neither creates nor truncates; the kernel refuses a program that is
    // running with "text file busy". Non-blocking, so that a FIFO cannot hang the caller.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return false;
    }
    return errno == ETXTBSY;
}

} // namespace platform
