#include "platform.h"

#include <cerrno>

namespace platform {

int FileErrorFromSystem(int systemError) {
    switch (systemError) {
    case 0:
        return ErrNone;
    case ENOENT:
        return ErrFileNotFound;
    case ENOTDIR:
        return ErrPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return ErrPermissionDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return ErrDiskFull;
    case EIO:
        return ErrDeviceIO;
    case ENXIO:
    case ENODEV:
        return ErrDeviceUnavailable;
    case ENOMEDIUM:
        return ErrDiskNotReady;
    case EBADF:
        return ErrBadFileMode;
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
        return ErrBadFileNameOrNumber;
    case EBUSY:
        return ErrFileAlreadyOpen;
    case ENOTSUP:
        // A file system without extended attributes cannot hold the archive stamp; this is an
        // access problem of the path, not a missing permission.
        return ErrPathFileAccess;
    default:
        return ErrPathFileAccess;
    }
}

int LastFileError() {
    return FileErrorFromSystem(errno);
}

} // namespace platform
