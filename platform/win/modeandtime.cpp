// Untested: written for the Windows build, never compiled here.
#include "platform.h"
#include "widepath.h"

#include <io.h>

namespace platform {

namespace {

// Windows files have no permission bits worth copying: only the time is kept.
bool SetWriteTime(HANDLE file, const FileState &state) {
    const qint64 ticks = state.modified / 100 + UnixEpochTicks;
    FILETIME written;
    written.dwLowDateTime = DWORD(ticks & 0xFFFFFFFF);
    written.dwHighDateTime = DWORD(ticks >> 32);
    return file != INVALID_HANDLE_VALUE && SetFileTime(file, nullptr, nullptr, &written);
}

} // namespace

bool KeepModeAndTime(const QString &path, const FileState &source, int *errorNumber) {
    const HANDLE file = CreateFileW(WidePath(path).get(), FILE_WRITE_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool kept = SetWriteTime(file, source);
    const int error = kept ? int(ErrNone) : LastFileError();
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    if (errorNumber)
        *errorNumber = error;
    return kept;
}

bool ApplyModeAndTime(int descriptor, const FileState &state) {
    return SetWriteTime(HANDLE(_get_osfhandle(descriptor)), state);
}

} // namespace platform
