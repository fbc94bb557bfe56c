#pragma once
// Where a restored file lands: below 'Restore To' (with its directory structure or without),
// moved into "ErrDirs" and renamed when the path would be too long. The planner owns 'Restore
// To', the tree of directories made below it, and the numbers it gives moved directories and
// renamed files; it answers with its decision and leaves what follows to the run.

#include "model.h"
#include "platform.h"

#include <QString>

#include <memory>

inline constexpr char PathTooLongMessage[] =
    " - Restore path was too long and could not be shortened enough! - ";
inline constexpr char DirectoryShortenedMessage[] =
    " - Restore path was too long but directory was shortened! - ";
inline constexpr char FileShortenedMessage[] =
    " - Restore path was too long but directory and file were shortened! - ";
inline constexpr char UnsafePathMessage[] =
    " - The information file places this file outside its media or the restore directory! - ";

// Paths of this length or more are too long (251, not 256).
inline constexpr int RestorePathLimit = 251;

struct DestinationDecision {
    QString destination;           // empty when refused
    const char *refusal = nullptr; // why the file cannot be restored
    const char *note = nullptr;    // how its destination was shortened
};

class DestinationPlanner {
public:
    // restoreTo ends in the separator and exists.
    DestinationPlanner(const QString &restoreTo, bool keepStructure);

    const QString &RestoreTo() const { return restoreTo; }
    // Written below 'Restore To' only through its kept directory handles.
    platform::WriteTree &Tree() { return tree; }

    // Decides where the file lands and makes its directory. A moved directory or a renamed file
    // leaves its line in "!ErrDirs.txt" or "!ErrFile.txt" and a note.
    DestinationDecision Decide(const FileRecord &file);
    // Whether Decide would place the file where it belongs, without a refusal or a note.
    bool PlacesAsItIs(const FileRecord &file) const;

    // The path relative to 'Restore To', for the writes through the tree; empty when outside.
    QString Below(const QString &path) const;
    // Removes a file the run wrote: below 'Restore To' through the tree, else in the private
    // folder.
    void Remove(const QString &path);

private:
    QString Directory(const FileRecord &file) const;
    QString MoveDirectory(const FileRecord &file, const QString &dir);
    void AppendLine(const QString &path, const QString &line);

    QString restoreTo;
    bool keepStructure;
    platform::WriteTree tree;
    int dirMoveCounter = 0;
    int renameCounter = 0;
    QString lastMovedDirectory;
    QString currentMovedDirectory;
};
