// Untested: written for the Windows build, never compiled here.
#include "platform.h"

#include <windows.h>

namespace platform {

int FileErrorFromSystem(int systemError) {
    switch (DWORD(systemError)) {
    case ERROR_SUCCESS:
        return ErrNone;
    case ERROR_FILE_NOT_FOUND:
        return ErrFileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_PATHNAME:
    case ERROR_BAD_NETPATH:
    case ERROR_DIRECTORY:
        return ErrPathNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return ErrPermissionDenied;
    case ERROR_INVALID_HANDLE:
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_INVALID_PARAMETER:
        return ErrBadFileNameOrNumber;
    case ERROR_HANDLE_EOF:
        return ErrInputPastEnd;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
        return ErrDiskFull;
    case ERROR_CRC:
    case ERROR_SEEK:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE:
        return ErrDeviceIO;
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_UNIT:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_BAD_NET_NAME:
        return ErrDeviceUnavailable;
    case ERROR_NOT_READY:
    case ERROR_NO_MEDIA_IN_DRIVE:
        return ErrDiskNotReady;
    case ERROR_TOO_MANY_OPEN_FILES:
        return ErrFileAlreadyOpen;
    default:
        return ErrPathFileAccess;
    }
}

int LastFileError() {
    return FileErrorFromSystem(int(GetLastError()));
}

} // namespace platform
