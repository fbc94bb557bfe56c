// Untested: written for the Windows build, never compiled here.
#include "platform.h"
#include "widepath.h"

namespace platform {

namespace {

QString VolumeOf(const QString &path) {
    wchar_t volume[MAX_PATH + 1] = {};
    if (!GetVolumePathNameW(WidePath(path).get(), volume, MAX_PATH + 1))
        return QString();
    return QString::fromWCharArray(volume);
}

} // namespace

bool SameFileSystem(const QString &a, const QString &b) {
    if (GetFileAttributesW(WidePath(a).get()) == INVALID_FILE_ATTRIBUTES ||
        GetFileAttributesW(WidePath(b).get()) == INVALID_FILE_ATTRIBUTES)
        return false;
    const QString first = VolumeOf(a);
    return !first.isEmpty() && PathsEqual(first, VolumeOf(b));
}

} // namespace platform
