#include "platform.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace platform {

bool KeepModeAndTime(const QString &path, const FileState &source, int *errorNumber) {
    const QByteArray name = QFile::encodeName(path);
    qint64 seconds = source.modified / 1000000000;
    qint64 nanoseconds = source.modified % 1000000000;
    if (nanoseconds < 0) {
        --seconds;
        nanoseconds += 1000000000;
    }
    // The access time is the copy's own; only the modification time says what the data is.
    const struct timespec times[2] = {{0, UTIME_OMIT}, {time_t(seconds), long(nanoseconds)}};
    const bool kept = ::chmod(name.constData(), mode_t(source.mode & 0777)) == 0 &&
                      ::utimensat(AT_FDCWD, name.constData(), times, 0) == 0;
    if (errorNumber)
        *errorNumber = kept ? int(ErrNone) : FileErrorFromSystem(errno);
    return kept;
}

} // namespace platform
