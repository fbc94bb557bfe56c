#pragma once
// Questions to the file system and the directory operations every part uses. Errors are shown
// where they happen, with the question "Abort current operation?" whose Yes sets the cancel
// flag.

#include <QString>

// Length in bytes; -1 when the file or its path does not exist.
double FileLength(const QString &path);

bool DirExists(const QString &path);
// A name holding '*' or '?' asks whether any matching file exists in the directory.
bool FileExists(const QString &fullPath);
bool IsDirEmpty(const QString &path);

// Makes every missing level of the path; clears the cancel flag first.
void CreateDirectory(const QString &path);
void RemoveDirectoryTree(const QString &path);

// Renames a file within its directory. Returns true when the rename was done; a failure shows its
// message and ends the program (see programend.h) before returning false.
bool RenameFile(const QString &oldPath, const QString &newPath);
