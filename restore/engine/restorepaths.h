#pragma once
// The information file on a medium comes from outside: the paths it names are checked before a
// byte is read from the medium or written below the 'Restore To' directory.

#include <QString>

// A single name: not empty, no separator, not "." or "..".
bool SafeFileName(const QString &name);
// An absolute directory without a ".." component (a file's Path).
bool SafeAbsolutePath(const QString &path);
// A relative path without a ".." component, a drive or a leading separator (a stored name).
bool SafeRelativePath(const QString &path);
// Whether folder + relative, where it exists, stays inside folder once links are resolved.
bool InsideFolder(const QString &folder, const QString &relative);
