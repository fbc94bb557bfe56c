// Untested: written for the Windows build, never compiled here.
#include "platform.h"
#include "widepath.h"

namespace platform {

namespace {

bool ChangeArchiveBit(const QString &path, bool set, int *errorNumber) {
    const WidePath name(path);
    DWORD attributes = GetFileAttributesW(name.get());
    bool done = attributes != INVALID_FILE_ATTRIBUTES;
    if (done) {
        attributes = set ? (attributes | FILE_ATTRIBUTE_ARCHIVE)
                         : (attributes & ~DWORD(FILE_ATTRIBUTE_ARCHIVE));
        done = SetFileAttributesW(name.get(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL);
    }
    if (errorNumber)
        *errorNumber = done ? ErrNone : LastFileError();
    return done;
}

} // namespace

bool ArchiveAttributeSet(const QString &path) {
    const DWORD attributes = GetFileAttributesW(WidePath(path).get());
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_ARCHIVE);
}

bool ClearArchiveAttribute(const QString &path, int *errorNumber) {
    return ChangeArchiveBit(path, false, errorNumber);
}

bool SetArchiveAttribute(const QString &path) {
    return ChangeArchiveBit(path, true, nullptr);
}

} // namespace platform
