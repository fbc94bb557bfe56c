#pragma once
// The host system's facilities behind one interface: paths, drives, the archive attribute,
// numbered file errors, the per-user settings store, starting programs, the single-instance
// lock and the names of the built files. POSIX is built and tested; Windows is written plainly.

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <memory>

namespace platform {

// ---- Paths -------------------------------------------------------------------------------

// The directory separator of this system ('/' on POSIX, '\\' on Windows).
QChar Separator();
QString SeparatorString();

// The folder that holds the running program, ending in its separator. Tests may point it
// elsewhere; an empty text restores the real one.
QString ProgramDirectory();
void SetProgramDirectory(const QString &dir);

// The path as a relative path, the form stored copies take on a medium:
// on Windows every ':' removed ("C:\Data\" -> "C\Data\"), on POSIX the leading '/' dropped.
QString RelativeForm(const QString &path);

// The form used when comparing two paths: upper-cased on Windows, unchanged on POSIX where the
// file system tells "a" from "A".
QString ComparablePath(const QString &path);
bool PathsEqual(const QString &a, const QString &b);

// True for a file-system root ("/" on POSIX, "C:\" or "C:" on Windows).
bool IsRoot(const QString &path);

// The root a path lives on ("/" on POSIX, "C:\" on Windows), ending in its separator.
QString RootOf(const QString &path);

// Whether the path is absolute on this system.
bool IsAbsolutePath(const QString &path);

// Whether a file or directory name may end in a space. Windows cannot reach such a name through
// its usual calls, so the backup leaves those directories out there; elsewhere they are names
// like any other, and leaving them out would lose them.
bool NamesMayEndInSpace();

// ---- Drives ------------------------------------------------------------------------------

enum class DriveType { Unknown, Removable, Fixed, Network, Optical, RamDisk };

struct Drive {
    QString root; // ends in the separator
    DriveType type = DriveType::Unknown;
};

// Every drive (on POSIX every mounted file system), sorted by root. The environment variable
// PELLMOOR_DRIVES ("path=fixed;path=removable;path=network;path=optical;path=ramdisk") replaces
// the detected list when it holds anything; an unset or empty variable keeps detection.
QList<Drive> Drives();

// The type of the drive that holds the path (the longest matching drive root).
DriveType DriveTypeOf(const QString &path);

// One entry of a directory listing. The kind comes from the listing itself where the system
// gives it, so that listing a large directory costs no look at each entry.
enum class EntryKind { File, Directory, Link, Other };
struct DirEntry {
    QString name;
    EntryKind kind;
};

// The entries of a directory except "." and "..", sorted by name. readable is false (and the
// list empty) when the directory cannot be listed or entered.
QList<DirEntry> ReadDirectory(const QString &dir, bool *readable);

// Free bytes on the file system that holds the path; -1 when unknown.
qint64 FreeSpace(const QString &path);

// Whether two paths lie on the same mounted file system (walking never crosses into another).
bool SameFileSystem(const QString &a, const QString &b);

// ---- File attributes ---------------------------------------------------------------------

// Whether the file counts as changed since its last backup. On POSIX: true unless the extended
// attribute user.pellmoor.archive matches the file's modification time (in nanoseconds), its size
// and its path as given here (the mark travels with a renamed or copied file, so the path it was
// made for must be the one asked about). A file that cannot be examined counts as changed.
bool ArchiveAttributeSet(const QString &path);

// Clears the attribute (on POSIX writes the matching extended attribute; the modification time
// stays as it is). Returns false when it could not be cleared; errorNumber then holds the numbered
// file error: 75 where the file system keeps no extended attributes.
bool ClearArchiveAttribute(const QString &path, int *errorNumber = nullptr);

// Sets the attribute again (on POSIX removes the extended attribute). False when the file is
// missing or a stamp stays on it.
bool SetArchiveAttribute(const QString &path);

// The length of a regular file, not following a link; -1 for anything else (missing, a
// directory, a link, a device). archiveSet, when given, gets ArchiveAttributeSet of the same
// look at the file, which saves a second one.
qint64 RegularFileLength64(const QString &path, bool *archiveSet = nullptr);

// A directory held open while its files are measured: each file is then looked at by its name
// relative to the directory, without the system walking its full path again. A directory that
// cannot be opened (gone since it was listed) answers -1 for every name, as a missing file does.
class OpenDirectory {
public:
    explicit OpenDirectory(const QString &dir);
    ~OpenDirectory();
    OpenDirectory(const OpenDirectory &) = delete;
    OpenDirectory &operator=(const OpenDirectory &) = delete;

    // RegularFileLength64 of the file of that name in this directory.
    qint64 RegularFileLength64(const QString &name, bool *archiveSet = nullptr) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
};

// A file's length, modification time and permission bits from one look. Length and time tell
// later whether it changed; length is -1 when the file cannot be examined.
struct FileState {
    qint64 length = -1;
    qint64 modified = 0;  // nanoseconds since 1970-01-01 UTC
    unsigned mode = 0644; // permission bits (mode & 0777); read-only or not where that is all
    friend bool operator==(const FileState &a, const FileState &b) {
        return a.length == b.length && a.modified == b.modified;
    }
};
FileState StateOf(const QString &path);
// The same for a file already open: it is the opened file that is looked at, whatever now
// stands at its path.
FileState StateOfOpen(int descriptor);

// Clears the archive attribute as of a state the file was seen in: on POSIX the stamp of that
// state is written without a look at the file, so that a file changed since no longer matches it
// and stays marked for the next backup.
bool ClearArchiveAttributeAsOf(const QString &path, const FileState &seen,
                               int *errorNumber = nullptr);

// The permission bits a copy or a restored file gets for a file of this mode: the file's own
// (never set-id or sticky), with read and write for its owner, so that neither the copy nor the
// restored file is one its owner cannot read or change (a disc may show every file read-only).
inline unsigned KeptMode(unsigned mode) {
    return (mode & 0777) | 0600;
}
// Gives a file open for writing (a stored copy, or a file restored from one) the permission bits
// (never set-id or sticky) and modification time of state, as cp -p does without the owner;
// where the system has no permission bits only the time is set. False (errno / GetLastError()
// set) when the system refuses.
bool ApplyModeAndTime(int descriptor, const FileState &state);

// 64-bit length of a file; -1 when it does not exist. errorNumber gets the numbered file error.
qint64 FileLength64(const QString &path, int *errorNumber = nullptr);

// Copies up to length bytes from the open descriptor in at inOffset to out at outOffset inside
// the system, without passing them through the program. Returns the bytes copied (0 at the end
// of the source), -1 on a failure (errno / GetLastError() set), or -2 where the system offers no
// such copy between these two files; the caller then copies through a buffer.
qint64 CopyBetweenDescriptors(int in, qint64 inOffset, int out, qint64 outOffset, qint64 length);
// Where the next stored data of the open file starts at or after offset: offset itself inside
// data or where the system cannot tell, past it inside a hole (a sparse file, such as a virtual
// machine's disk), the file's length when only a hole follows. A copy passes holes over.
qint64 DataFrom(int fd, qint64 offset);

// Waits until what was written through the open descriptor is on the disk. False (errno /
// GetLastError() set) when the system reports that it could not be written, as a full disk
// may only show here.
bool SyncToDisk(int fd);

// ---- Writing below a directory without following links -----------------------------------

enum class WriteOpen {
    Fresh,    // whatever the name holds is removed, and a new file made for its owner only
    Existing, // the file made earlier, opened again for reading and writing, never created
    Append,   // a text file written at its end, created when missing
};

// A directory the program writes below, such as the 'Restore To' directory of a restore. Every
// directory below its root is made and opened one level at a time relative to the one above it,
// never through a link, and stays open until the tree goes; files are made, opened, moved in and
// removed relative to those open directories. A link planted at any moment below the root, even
// in place of a directory just made, therefore never sends a write or a removal elsewhere. The
// root itself is taken as given. Relative paths use '/' or the separator.
class WriteTree {
public:
    explicit WriteTree(const QString &root);
    ~WriteTree();
    WriteTree(const WriteTree &) = delete;
    WriteTree &operator=(const WriteTree &) = delete;

    bool IsOpen() const;
    // Makes every missing level of root + relative (a directory; empty for the root itself).
    // False when a level cannot be made or opened, or something other than a directory stands
    // in its place. Directories made or opened once are kept.
    bool MakeDirectory(const QString &relative);
    // A descriptor of root + relativeFile (its directory made beforehand), or -1 with the error
    // of the last system call set. The caller closes it.
    int Open(const QString &relativeFile, WriteOpen how);
    // Removes the file (a link there is removed as a link). False when nothing was removed.
    bool Remove(const QString &relativeFile);
    // Moves the file at path to root + relativeFile, replacing what that name holds. False with
    // the system's error set when it cannot be moved (another file system among others).
    bool MoveInto(const QString &path, const QString &relativeFile);

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
};

// ---- Numbered file errors ----------------------------------------------------------------

enum FileErrorNumber {
    ErrNone = 0,
    ErrBadFileNameOrNumber = 52,
    ErrFileNotFound = 53,
    ErrBadFileMode = 54,
    ErrFileAlreadyOpen = 55,
    ErrDeviceIO = 57,
    ErrDiskFull = 61,
    ErrInputPastEnd = 62,
    ErrDeviceUnavailable = 68,
    ErrPermissionDenied = 70,
    ErrDiskNotReady = 71,
    ErrPathFileAccess = 75,
    ErrPathNotFound = 76,
};

// The numbered error for an errno value (POSIX) or a Win32 error code (Windows).
int FileErrorFromSystem(int systemError);

// The numbered error for the last failed system call (errno / GetLastError()).
int LastFileError();

// "File not found", "Disk full", ... ; an unknown number gives "Application-defined or
// object-defined error".
QString FileErrorDescription(int number);

// "Error was : " + number + ". " + description
QString ErrorWasText(int number);

// ---- Per-user settings store ---------------------------------------------------------------

// Values live under application "Quillon", group "Pellmoor"; they are the texts "True"/"False".
QString GetSetting(const QString &key, const QString &defaultValue = QString());
void SaveSetting(const QString &key, const QString &value);
void DeleteSetting(const QString &key);
// Tests point the store at a folder of their own; empty restores the user's real one.
void SetSettingsFolder(const QString &folder);

// ---- Programs ------------------------------------------------------------------------------

// Starts a program without waiting for it; a ".bat"/".sh" batch file is run by its interpreter.
bool StartDetached(const QString &program, const QStringList &arguments = {},
                   const QString &workingDirectory = QString());

// The file name of a built program: "Backup" on POSIX, "Backup.exe" on Windows.
QString ExecutableName(const QString &baseName);
// The file name of a control library: "libUrlpull.so" on POSIX, "Urlpull.dll" on Windows.
QString LibraryFileName(const QString &baseName);
// The file name of a batch file the program writes: "Rename.bat" stays "Rename.bat"; on POSIX it
// is a sh script under the same name.
QString BatchFileName(const QString &baseName);

// Whether the file is held open by a running program (POSIX: opening it for writing fails with
// "text file busy"). The file is never created, truncated or changed; a missing file, or one that
// cannot be opened for another reason, is not in use.
bool IsFileInUse(const QString &path);

// ---- Single instance -----------------------------------------------------------------------

// Held for the life of the process once acquired.
class SingleInstanceLock {
public:
    explicit SingleInstanceLock(const QString &name);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock &) = delete;
    SingleInstanceLock &operator=(const SingleInstanceLock &) = delete;

    // True when this process now holds the lock; false when another instance holds it.
    bool TryAcquire();
    bool IsHeld() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
};

} // namespace platform
