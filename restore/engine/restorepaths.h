#pragma once
// The information file on a medium comes from outside: the paths it names are checked before a
// byte is read from the medium or written below the 'Restore To' directory.

#include <QHash>
#include <QString>

// A single name: not empty, no separator, not "." or "..".
bool SafeFileName(const QString &name);
// An absolute directory without a ".." component (a file's Path).
bool SafeAbsolutePath(const QString &path);
// A relative path without a ".." component, a drive or a leading separator (a stored name).
bool SafeRelativePath(const QString &path);
// A medium's folder, asked whether the paths below it stay inside it once links are resolved.
// Each directory is resolved once and kept: a restore reads file after file from the same
// directories, and resolving every whole path anew cost more than copying a small file.
class MediumFolder {
public:
    MediumFolder() = default;
    explicit MediumFolder(const QString &folder);
    // Whether folder + relative, where it exists, lies inside the folder.
    bool Holds(const QString &relative);

private:
    bool InsideRoot(const QString &real) const;
    // The real path of a directory below the folder; empty when it leads outside.
    QString RealDirectory(const QString &relative);

    QString folder;
    QString root; // the folder's own real path, without a trailing separator unless a root
    QHash<QString, QString> realDirectories;
};
