#pragma once
// The directories to back up and the directories to exclude, as the setup window edits them:
// duplicates are refused with a message, and every change goes straight into the model.

#include <QString>
#include <QStringList>

class clsDirectory;

// "name, patterns, Include Subdirectories" ("Dont Include ..." without subdirectories).
QString DirectoryRow(const clsDirectory &entry);
QStringList DirectoryRows();

// Adds the entry (index -1) or puts it in place of the entry at index. False, with the duplicate
// message, when another entry names the same directory, or with the refusal when its name or
// patterns hold a '|' or a line break; false without a word for an empty name.
bool ValidateDir(const clsDirectory &entry, int index);
void RemoveDirectoryEntry(int index);

// The same for an exclude path.
bool ValidateDirEx(const QString &path, int index);
// The same for a name pattern to exclude ("*.tmp", "node_modules"); a text that holds a path is
// refused with a message.
bool ValidateExcludePattern(const QString &pattern, int index);
void RemoveDirectoryEx(int index);
// The exclude paths as shown, each first letter upper-cased in the model first.
QStringList ExcludeRows();
