// Untested: written for the Windows build, never compiled here.
#include "platform.h"

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

bool ApplyModeAndTime(int descriptor, const FileState &state) {
    return SetWriteTime(HANDLE(_get_osfhandle(descriptor)), state);
}

} // namespace platform
