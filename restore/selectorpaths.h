#pragma once
// Path questions the directory window asks: which drive holds a directory, where a directory
// that cannot be opened falls back to, and how a file path splits. No widgets.

#include "platform.h"

#include <QList>
#include <QString>

// The root of the drive that holds dir: the longest drive root that dir lies in (on POSIX a
// mount point, so "/home/x/" is on "/home/" rather than "/"). Empty when no drive holds it.
QString DriveRootFor(const QString &dir, const QList<platform::Drive> &drives);

// Whether the directory can be opened and listed (a link to a directory counts).
bool CanOpenDirectory(const QString &dir);

// The absolute directory tidied ("a//b/./c/../" -> "a/b/"), ending in the separator; empty for
// a relative or empty path, which names no place by itself.
QString TidyDirectory(const QString &dir);

// The directory itself when it can be opened, otherwise the nearest of its parents that can;
// empty when none can (a relative path among them).
QString NearestOpenDirectory(const QString &dir);

// The path split at its last separator: the directory keeps that separator, the name is the
// rest. A path without a separator is all name.
struct SplitPath {
    QString directory;
    QString name;
};
SplitPath SplitFilePath(const QString &path);
