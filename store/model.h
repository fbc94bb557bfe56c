#pragma once
// The program's whole state: settings, what to back up, every medium and backup ever made and
// every stored version of every file. There is one model per process (TheModel()).
//
// Collections are growable lists; "last index" is size() - 1, so -1 means empty.

#include "clsDirectory.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

struct SettingsRecord {
    bool RunAtStartup = true;
    bool CheckForUpdates = true;
    bool WriteAllAtOnce = false;
    bool WriteXpWay = false;
    int MediaKind = 0;
    double MediaSize = 665600; // kilobytes; -1 means no limit
    double ClusterSize = 2041; // bytes
    QString MediaName = QStringLiteral("CD");
    QDate LastBackupDate;    // null is the zero date
    QDate RemindFromDate;    // memory only
    int BackupInterval = -1; // -1 first of month, 0 Mondays, N days
    QString BackupDirectory;
    QString TempDirectory;
};

struct MediumRecord {
    bool Available = true;
    bool Deleted = false;
    int BackupIndex = 0;
    // Working fields of the restore, never stored.
    bool RestoreNeeded = false;
    bool RestoreSkip = false;
};

struct BackupRecord {
    QString SetDate;
    int FirstMedium = 0;
    double ClusterSize = 2048;
    double MediaSize = 0;
    QString MediaName;
    int MediaKind = 0;
    bool WriteAllAtOnce = false;
    bool WriteXpWay = false;
    bool FreshPoint = false;
    QStringList Dirs;
    QString PatternsUsed;

    int DirsLast() const { return int(Dirs.size()) - 1; }
};

struct VersionRecord {
    bool Spanned = false;
    int MediumIndex = 0;
    int BackupIndex = 0;
    double Size = 0; // kilobytes
    int SpanLength = -1;
    QString StoredName; // empty: the default stored name
    bool Zipped = false;
    double ZippedSize = 0; // kilobytes
    int LastMedium = 0;    // working: last medium holding part of the copy

    // A span of unknown length (formats that stored the flag but not the length) counts as
    // ending where it starts, never before it.
    void ComputeLastMedium() {
        LastMedium = Spanned && SpanLength >= 0 ? MediumIndex + SpanLength : MediumIndex;
    }
};

struct FileRecord {
    QString Path; // ends in the separator
    QString Name; // empty marks a free slot
    QList<VersionRecord> Versions;

    int VersionsLast() const { return int(Versions.size()) - 1; }
    // The stored name a copy gets when StoredName is empty: the path made relative + Name.
    QString DefaultStoredName() const;
    // Written to the information file: it has a name and at least one version.
    bool IsWritten() const { return !Name.isEmpty() && !Versions.isEmpty(); }
};

struct Model {
    SettingsRecord Settings;
    QList<clsDirectory> Directories;
    QStringList IncludeAll;
    QStringList Excludes;
    QList<MediumRecord> Media;
    QList<BackupRecord> Backups;
    QList<FileRecord> Files;

    int DirectoriesLast() const { return int(Directories.size()) - 1; }
    int IncludeAllLast() const { return int(IncludeAll.size()) - 1; }
    int ExcludesLast() const { return int(Excludes.size()) - 1; }
    int MediaLast() const { return int(Media.size()) - 1; }
    int BackupsLast() const { return int(Backups.size()) - 1; }
    int FilesLast() const { return int(Files.size()) - 1; }
};

// The program's own model: the one its windows show and its information file holds. Engines
// take the model they work on instead, so that a medium's history can be read in one of its own.
Model &TheModel();

// Every setting to its reset value, every collection emptied. RemindFromDate is kept.
void ResetSettings();
void ResetSettings(Model &model);

// Appends a new medium: available, owned by the latest backup.
void IncMedia(Model &model);
void IncMedia();

// "D" when a medium in [first, last] is unavailable and deleted, "*" when some are unavailable
// but none deleted, "" when all are available or the range is not one the model holds.
QString MediaDescriptor(const Model &model, int firstMedium, int lastMedium);
QString MediaDescriptor(int firstMedium, int lastMedium);

// The number of media a backup wrote (not stored: the next backup's FirstMedium minus its own).
int MediaCountOfBackup(const Model &model, int backupIndex);
int MediaCountOfBackup(int backupIndex);
