#pragma once
// Finding backup media: a medium root holds "!IN_HERE!" with its "Media.ID"; a folder of media
// holds them in subfolders named ...MEDIA### or ...BACKUP###, nested to any depth.

#include <QString>
#include <QStringList>

struct Model;

inline constexpr char MarkerDirectoryName[] = "!IN_HERE!";

// What step 1 says under a 'Restore From' directory that is no medium and holds none.
inline constexpr char NotRestoreDirText[] =
    "This directory does not appear to contain a backup or backup set. Please see help for more "
    "information on 'Restore From' directories.";
// What leaving step 1 says when the loaded information file lists no file.
inline constexpr char NoFilesToRestoreMessage[] = "There do not appear to be any files to restore!";

// The first line of root/!IN_HERE!/Media.ID, or an empty text when it cannot be read.
QString ReadMediaID(const QString &root);

// Whether a folder name ends in MEDIA and three digits or BACKUP and three digits, in any case.
bool IsMediaSetName(const QString &path);

// The candidate medium roots the restore searches, each ending in the separator.
class PossibleDrives {
public:
    void Clear() { drives.clear(); }
    void AddPossDrive(const QString &path) { drives.append(path); }
    // Every drive of the machine (mount points, or the PELLMOOR_DRIVES list).
    void AddSystemDrives();
    const QStringList &List() const { return drives; }

    // Whether dir (ending in the separator) is a medium root or, unless topLevelOnly, holds
    // media below it. Every medium root met is added to the list.
    bool IsDirBackup(const QString &dir, bool topLevelOnly);
    // The media in the program's own backup folder, where a backup to the hard disk writes
    // them, added after what is listed already. The root of the most recent of them, or an
    // empty text when the folder holds none.
    QString AddBackupFolder(const QString &folder);

    // The root of the medium with that number (index + 1), or of the most recent one for -1.
    // Without a dialogue: an empty text when none is listed.
    QString SearchMedia(int number) const;

    // SearchMedia with the whole dialogue for a medium that is not there: retry, look for its
    // directory, skip it (and mark it skipped, or unavailable, in the model). May set number to
    // -1, and the cancel flag.
    QString FindMedia(int &number, Model &model);
    // The most recent medium, with the dialogue's retry; an empty text when none is found.
    QString FindLatestMedia();

private:
    QString FindMedia(int &number, Model *model);

    QStringList drives;
};

// What the 'Restore From' directory is: valid when it is a medium or holds media; a directory
// that only holds media is replaced by the most recent medium found.
struct RestoreFromState {
    QString directory;
    bool valid = false;
};
RestoreFromState PopRestDir(PossibleDrives &drives, const QString &directory);
