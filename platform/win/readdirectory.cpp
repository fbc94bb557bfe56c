// Untested: written for the Windows build, never compiled here.
#include "platform.h"
#include "widepath.h"

#include <algorithm>

namespace platform {

namespace {

EntryKind KindOf(DWORD attributes) {
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return EntryKind::Link;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return EntryKind::Directory;
    return (attributes & FILE_ATTRIBUTE_DEVICE) ? EntryKind::Other : EntryKind::File;
}

} // namespace

QList<DirEntry> ReadDirectory(const QString &dir, bool *readable) {
    QList<DirEntry> entries;
    QString pattern = dir;
    if (!pattern.endsWith(QLatin1Char('\\')) && !pattern.endsWith(QLatin1Char('/')))
        pattern += QLatin1Char('\\');
    pattern += QLatin1Char('*');
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW(WidePath(pattern).get(), &data);
    if (readable)
        *readable = find != INVALID_HANDLE_VALUE || GetLastError() == ERROR_FILE_NOT_FOUND;
    if (find == INVALID_HANDLE_VALUE)
        return entries;
    do {
        const QString name = QString::fromWCharArray(data.cFileName);
        if (name == QLatin1String(".") || name == QLatin1String(".."))
            continue;
        entries.append(DirEntry{name, KindOf(data.dwFileAttributes)});
    } while (FindNextFileW(find, &data));
    FindClose(find);
    std::sort(entries.begin(), entries.end(),
              [](const DirEntry &a, const DirEntry &b) { return a.name < b.name; });
    return entries;
}

} // namespace platform
