// Untested: written for the Windows build, never compiled here.
#include "platform.h"
#include "widepath.h"

namespace platform {

bool IsFileInUse(const QString &path) {
    // A running program's file refuses to be opened for appending; OPEN_EXISTING never creates
    // or truncates it.
    const HANDLE file = CreateFileW(WidePath(path).get(), FILE_APPEND_DATA, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return false;
    }
    const DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED;
}

} // namespace platform
