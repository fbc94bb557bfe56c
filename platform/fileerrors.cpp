#include "platform.h"

namespace platform {

QString FileErrorDescription(int number) {
    switch (number) {
    case ErrBadFileNameOrNumber:
        return QStringLiteral("Bad file name or number");
    case ErrFileNotFound:
        return QStringLiteral("File not found");
    case ErrBadFileMode:
        return QStringLiteral("Bad file mode");
    case ErrFileAlreadyOpen:
        return QStringLiteral("File already open");
    case ErrDeviceIO:
        return QStringLiteral("Device I/O error");
    case ErrDiskFull:
        return QStringLiteral("Disk full");
    case ErrInputPastEnd:
        return QStringLiteral("Input past end of file");
    case ErrDeviceUnavailable:
        return QStringLiteral("Device unavailable");
    case ErrPermissionDenied:
        return QStringLiteral("Permission denied");
    case ErrDiskNotReady:
        return QStringLiteral("Disk not ready");
    case ErrPathFileAccess:
        return QStringLiteral("Path/File access error");
    case ErrPathNotFound:
        return QStringLiteral("Path not found");
    default:
        return QStringLiteral("Application-defined or object-defined error");
    }
}

QString ErrorWasText(int number) {
    return QStringLiteral("Error was : ") + QString::number(number) + QStringLiteral(". ") +
           FileErrorDescription(number);
}

} // namespace platform
