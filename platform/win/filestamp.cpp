// Untested: written for the Windows build, never compiled here.
#include "platform.h"
#include "widepath.h"

#include <io.h>

namespace platform {

namespace {

// FILETIME counts 100 ns from 1601-01-01; the stamp counts ns from 1970-01-01.
constexpr qint64 EpochDifference = 116444736000000000LL;

} // namespace

FileStamp StampOf(const QString &path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(WidePath(path).get(), GetFileExInfoStandard, &data))
        return {};
    const qint64 ticks = (qint64(data.ftLastWriteTime.dwHighDateTime) << 32) |
                         qint64(data.ftLastWriteTime.dwLowDateTime);
    const bool readOnly = data.dwFileAttributes & FILE_ATTRIBUTE_READONLY;
    return {(qint64(data.nFileSizeHigh) << 32) | qint64(data.nFileSizeLow),
            readOnly ? 0444u : 0666u, (ticks - EpochDifference) * 100};
}

// Windows keeps no permission bits: the time is given back, the mode is not.
bool ApplyStamp(int descriptor, const FileStamp &stamp) {
    const HANDLE file = HANDLE(_get_osfhandle(descriptor));
    const qint64 ticks = stamp.modifiedNs / 100 + EpochDifference;
    FILETIME written;
    written.dwLowDateTime = DWORD(ticks & 0xffffffff);
    written.dwHighDateTime = DWORD(ticks >> 32);
    return file != INVALID_HANDLE_VALUE && SetFileTime(file, nullptr, nullptr, &written);
}

} // namespace platform
