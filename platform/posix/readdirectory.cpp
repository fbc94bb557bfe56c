#include "faultpoint.h"
#include "platform.h"

#include <QFile>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

EntryKind KindOfMode(mode_t mode) {
    if (S_ISLNK(mode))
        return EntryKind::Link;
    if (S_ISDIR(mode))
        return EntryKind::Directory;
    return S_ISREG(mode) ? EntryKind::File : EntryKind::Other;
}

EntryKind KindOf(int dirFd, const dirent &entry) {
    switch (entry.d_type) {
    case DT_REG:
        return EntryKind::File;
    case DT_DIR:
        return EntryKind::Directory;
    case DT_LNK:
        return EntryKind::Link;
    case DT_UNKNOWN:
        break;
    default:
        return EntryKind::Other;
    }
    // Some file systems leave the type to a look at the entry itself.
    struct stat info;
    if (::fstatat(dirFd, entry.d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
        return EntryKind::Other;
    return KindOfMode(info.st_mode);
}

} // namespace

QList<DirEntry> ReadDirectory(const QString &dir, bool *readable) {
    QList<DirEntry> entries;
    const QByteArray name = QFile::encodeName(dir);
    DIR *stream = InjectedFault(FaultPoint::List) == 0 ? ::opendir(name.constData()) : nullptr;
    // Listing alone is not enough: the files of a directory that cannot be entered cannot be
    // read. Asked of the open directory, so that its path is not walked a second time.
    if (stream && ::faccessat(::dirfd(stream), ".", R_OK | X_OK, 0) != 0) {
        ::closedir(stream);
        stream = nullptr;
    }
    if (readable)
        *readable = stream != nullptr;
    if (!stream)
        return entries;
    const int fd = ::dirfd(stream);
    while (const dirent *entry = ::readdir(stream)) {
        const char *n = entry->d_name;
        if (n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0')))
            continue;
        entries.append(DirEntry{QFile::decodeName(n), KindOf(fd, *entry)});
    }
    ::closedir(stream);
    std::sort(entries.begin(), entries.end(),
              [](const DirEntry &a, const DirEntry &b) { return a.name < b.name; });
    return entries;
}

} // namespace platform
