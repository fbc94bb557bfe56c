// Untested: written for the Windows build, never compiled here.
// Plain Win32 has no calls relative to a directory handle. Each directory made is held open
// without FILE_SHARE_DELETE instead, so that it can be neither removed nor renamed (and so not
// replaced by a link) while the tree holds it, and nothing that is a reparse point is entered
// or written through.
#include "platform.h"
#include "widepath.h"

#include <QHash>

#include <fcntl.h>
#include <io.h>

namespace platform {

namespace {

QString Normalised(QString relative) {
    relative.replace(QLatin1Char('/'), QLatin1Char('\\'));
    while (relative.endsWith(QLatin1Char('\\')))
        relative.chop(1);
    return relative;
}

bool SingleName(const QString &name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char(':'));
}

HANDLE HoldDirectory(const QString &path) {
    const HANDLE dir = CreateFileW(
        WidePath(path).get(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (dir == INVALID_HANDLE_VALUE)
        return dir;
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(dir, &info) ||
        !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        CloseHandle(dir);
        SetLastError(ERROR_CANT_ACCESS_FILE);
        return INVALID_HANDLE_VALUE;
    }
    return dir;
}

} // namespace

struct WriteTree::Impl {
    QString root; // ends in the separator
    HANDLE rootHandle = INVALID_HANDLE_VALUE;
    QHash<QString, HANDLE> directories;

    ~Impl() {
        for (HANDLE dir : std::as_const(directories))
            CloseHandle(dir);
        if (rootHandle != INVALID_HANDLE_VALUE)
            CloseHandle(rootHandle);
    }

    bool Directory(const QString &relative, bool make) {
        if (relative.isEmpty() || directories.contains(relative))
            return rootHandle != INVALID_HANDLE_VALUE;
        const qsizetype cut = relative.lastIndexOf(QLatin1Char('\\'));
        if (!SingleName(relative.mid(cut + 1)) ||
            !Directory(cut < 0 ? QString() : relative.left(cut), make))
            return false;
        const QString path = root + relative;
        if (make && !CreateDirectoryW(WidePath(path).get(), nullptr) &&
            GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
        const HANDLE dir = HoldDirectory(path);
        if (dir == INVALID_HANDLE_VALUE)
            return false;
        directories.insert(relative, dir);
        return true;
    }

    // The full path of a file whose directory the tree holds; empty when it holds none.
    QString FilePath(const QString &relativeFile) {
        const QString relative = Normalised(relativeFile);
        const qsizetype cut = relative.lastIndexOf(QLatin1Char('\\'));
        if (!SingleName(relative.mid(cut + 1)) ||
            !Directory(cut < 0 ? QString() : relative.left(cut), false))
            return QString();
        return root + relative;
    }
};

WriteTree::WriteTree(const QString &root) : impl(std::make_unique<Impl>()) {
    impl->root = Normalised(root) + QLatin1Char('\\');
    impl->rootHandle = CreateFileW(WidePath(impl->root).get(), FILE_READ_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

WriteTree::~WriteTree() = default;

bool WriteTree::IsOpen() const {
    return impl->rootHandle != INVALID_HANDLE_VALUE;
}

bool WriteTree::MakeDirectory(const QString &relative) {
    return impl->Directory(Normalised(relative), true);
}

int WriteTree::Open(const QString &relativeFile, WriteOpen how) {
    const QString path = impl->FilePath(relativeFile);
    if (path.isEmpty())
        return -1;
    DWORD disposition = OPEN_EXISTING;
    if (how == WriteOpen::Fresh) {
        DeleteFileW(WidePath(path).get());
        disposition = CREATE_NEW;
    } else if (how == WriteOpen::Append) {
        disposition = OPEN_ALWAYS;
    }
    const HANDLE file =
        CreateFileW(WidePath(path).get(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                    disposition, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    if (how == WriteOpen::Append)
        SetFilePointer(file, 0, nullptr, FILE_END);
    const int descriptor = _open_osfhandle(intptr_t(file), _O_BINARY);
    if (descriptor < 0)
        CloseHandle(file);
    return descriptor;
}

bool WriteTree::Remove(const QString &relativeFile) {
    const QString path = impl->FilePath(relativeFile);
    return !path.isEmpty() && DeleteFileW(WidePath(path).get());
}

bool WriteTree::MoveInto(const QString &path, const QString &relativeFile) {
    const QString target = impl->FilePath(relativeFile);
    return !target.isEmpty() && MoveFileExW(WidePath(path).get(), WidePath(target).get(),
                                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED);
}

} // namespace platform
