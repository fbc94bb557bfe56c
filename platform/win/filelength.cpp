// Untested: written for the Windows build, never compiled here.
#include "platform.h"
#include "widepath.h"

namespace platform {

qint64 FileLength64(const QString &path, int *errorNumber) {
    const HANDLE file = CreateFileW(WidePath(path).get(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (errorNumber)
            *errorNumber = LastFileError();
        return -1;
    }
    LARGE_INTEGER size;
    const bool known = GetFileSizeEx(file, &size);
    const int error = known ? ErrNone : LastFileError();
    CloseHandle(file);
    if (errorNumber)
        *errorNumber = error;
    return known ? qint64(size.QuadPart) : -1;
}

FileState StateOf(const QString &path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(WidePath(path).get(), GetFileExInfoStandard, &data))
        return {};
    const qint64 ticks = (qint64(data.ftLastWriteTime.dwHighDateTime) << 32) |
                         qint64(data.ftLastWriteTime.dwLowDateTime);
    const bool readOnly = data.dwFileAttributes & FILE_ATTRIBUTE_READONLY;
    return {(qint64(data.nFileSizeHigh) << 32) | qint64(data.nFileSizeLow),
            (ticks - UnixEpochTicks) * 100, readOnly ? 0444u : 0644u};
}

} // namespace platform
