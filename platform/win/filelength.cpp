// Untested: written for the Windows build, never compiled here.
#include "platform.h"
#include "widepath.h"

#include <io.h>

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

namespace {

FileState StateFrom(FILETIME written, DWORD attributes, DWORD sizeHigh, DWORD sizeLow) {
    const qint64 ticks = (qint64(written.dwHighDateTime) << 32) | qint64(written.dwLowDateTime);
    const bool readOnly = attributes & FILE_ATTRIBUTE_READONLY;
    return {(qint64(sizeHigh) << 32) | qint64(sizeLow), (ticks - UnixEpochTicks) * 100,
            readOnly ? 0444u : 0644u};
}

} // namespace

FileState StateOf(const QString &path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(WidePath(path).get(), GetFileExInfoStandard, &data))
        return {};
    return StateFrom(data.ftLastWriteTime, data.dwFileAttributes, data.nFileSizeHigh,
                     data.nFileSizeLow);
}

FileState StateOfOpen(int descriptor) {
    BY_HANDLE_FILE_INFORMATION data;
    if (!GetFileInformationByHandle(HANDLE(_get_osfhandle(descriptor)), &data))
        return {};
    return StateFrom(data.ftLastWriteTime, data.dwFileAttributes, data.nFileSizeHigh,
                     data.nFileSizeLow);
}

} // namespace platform
