#pragma once
// Questions to the file system and the directory operations every part uses. Errors are shown
// where they happen, with the question "Abort current operation?" whose Yes sets the cancel
// flag.
//
// Listings hold hidden files like any other. Only regular files count as files and only real
// directories are descended into; a link is never followed out of a tree that is being removed.

#include <QString>

// Length in bytes; -1 when the file or its path does not exist (a directory is not a file).
double FileLength(const QString &path);

bool DirExists(const QString &path);
// A name holding '*' or '?' asks whether any matching regular file exists in the directory
// (matched without regard to case); any other name asks whether that regular file exists.
bool FileExists(const QString &fullPath);
// True when the directory exists and holds nothing at all (a link or a hidden file counts).
bool IsDirEmpty(const QString &path);

// Makes every missing level of the path; clears the cancel flag first.
void CreateDirectory(const QString &path);
// The same, leaving a cancel the user asked for in place.
void MakeDirectoryKeepingCancel(const QString &path);
// Makes the directory, with every missing level above it when withParents, without a word: 0
// when it is there now, otherwise the numbered file error, for callers that say it their own way.
int MakeDirectoryQuietly(const QString &path, bool withParents);
// Deletes the directory with everything in it, depth first. A link inside is deleted as a link.
void RemoveDirectoryTree(const QString &path);

// Renames a file within its directory. Returns true when the rename was done; a failure shows its
// message and ends the program (see programend.h) before returning false. Nothing happens (false)
// when the old file does not exist.
bool RenameFile(const QString &oldPath, const QString &newPath);

// Shows failure + "\nAbort current operation?" with Yes and No; Yes sets the cancel flag.
void AskAbortCurrentOperation(const QString &failure);
