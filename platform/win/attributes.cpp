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

qint64 RegularFileLength64(const QString &path, bool *archiveSet) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    const bool known = GetFileAttributesExW(WidePath(path).get(), GetFileExInfoStandard, &data);
    if (archiveSet)
        *archiveSet = !known || (data.dwFileAttributes & FILE_ATTRIBUTE_ARCHIVE);
    if (!known || (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY |
                                            FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)))
        return -1;
    return (qint64(data.nFileSizeHigh) << 32) | qint64(data.nFileSizeLow);
}

bool ClearArchiveAttribute(const QString &path, int *errorNumber) {
    return ChangeArchiveBit(path, false, errorNumber);
}

bool ClearArchiveAttributeAsOf(const QString &path, const FileState &seen, int *errorNumber) {
    // The bit carries no state: a file changed since it was seen is simply left marked.
    if (!(StateOf(path) == seen)) {
        if (errorNumber)
            *errorNumber = ErrNone;
        return true;
    }
    return ChangeArchiveBit(path, false, errorNumber);
}

bool SetArchiveAttribute(const QString &path) {
    return ChangeArchiveBit(path, true, nullptr);
}

// Windows walks the path on each look anyway; the directory is only remembered.
struct OpenDirectory::Impl {
    QString path;
};

OpenDirectory::OpenDirectory(const QString &dir) : impl(std::make_unique<Impl>()) {
    impl->path = dir.endsWith(Separator()) ? dir : dir + Separator();
}

OpenDirectory::~OpenDirectory() = default;

qint64 OpenDirectory::RegularFileLength64(const QString &name, bool *archiveSet) const {
    return platform::RegularFileLength64(impl->path + name, archiveSet);
}

} // namespace platform
