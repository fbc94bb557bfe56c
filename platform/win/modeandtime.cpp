// Untested: written for the Windows build, never compiled here.
#include "platform.h"
#include "widepath.h"

namespace platform {

// Windows files have no permission bits worth copying: only the time is kept.
bool KeepModeAndTime(const QString &path, const FileState &source, int *errorNumber) {
    const HANDLE file = CreateFileW(WidePath(path).get(), FILE_WRITE_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (errorNumber)
            *errorNumber = LastFileError();
        return false;
    }
    const qint64 ticks = source.modified / 100 + UnixEpochTicks;
    FILETIME written;
    written.dwLowDateTime = DWORD(ticks & 0xFFFFFFFF);
    written.dwHighDateTime = DWORD(ticks >> 32);
    const bool kept = SetFileTime(file, nullptr, nullptr, &written);
    const int error = kept ? int(ErrNone) : LastFileError();
    CloseHandle(file);
    if (errorNumber)
        *errorNumber = error;
    return kept;
}

} // namespace platform
