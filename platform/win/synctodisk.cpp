// Written for Windows, untested.
#include "platform.h"

#include <io.h>
#include <windows.h>

namespace platform {

bool SyncToDisk(int fd) {
    if (fd < 0)
        return false;
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle) != 0;
}

} // namespace platform
