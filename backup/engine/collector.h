#pragma once
// The first stages of a backup run: the directories to walk, the files found in them and in the
// model, their lengths, their order, and which of them get a new copy. The collector owns what
// these stages keep between them; what the run goes on with is the model's files, the run's
// record of each and the totals below.

#include "backupfile.h"
#include "backupoptions.h"
#include "backupview.h"
#include "clsNode.h"
#include "doevents.h"
#include "model.h"
#include "patterns.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <memory>

class Collector {
public:
    Collector(Model &model, const BackupOptions &options, BackupView &view, BackupFiles &work);

    // The stages in the run's order; each starts only while the run is not cancelled.
    void BuildWorkingList(); // the selected directories and include-all drives, into the record
    void CollectDirectories();
    void AddKnownFiles();
    void CollectFiles();
    void FindLengths();
    void SortFiles();
    void CheckFiles();

    // The last file to back up (-1 for none) and their room on a medium in KB, once checked.
    int FilesToBackup() const { return filesToBackup; }
    double TotalToBackup() const { return totalToBackup; }
    // Files or directories were passed over with a warning.
    bool LeftOut() const { return leftOut; }

private:
    // A directory of this run and whether its walk stays on the file system it starts on.
    struct WorkDir {
        clsDirectory dir;
        bool driveWalk = false;
    };

    void DoDirec(const clsDirectory &dir, bool includeSubdirs, bool driveWalk);
    void WarnUser(const QString &key, const QString &message);
    // A warning about something that exists but cannot be backed up.
    void LeaveOut(const QString &key, const QString &message);
    // The excluded directories apart from the name patterns, once per run.
    void SortExcludes();
    // Whether the directory (comparable form and slashed name) is left out by an exclude entry.
    bool Excluded(const QString &comparable, const QString &name) const;
    // Whether a file's name is left out by an exclude pattern.
    bool ExcludedName(const QString &fileName) const {
        return !excludedNames.isEmpty() && MatchesPatternList(fileName, excludedNames);
    }
    void ProcNodes(clsNode *node);
    void ListFiles(clsNode *node);
    bool NeedsCopy(const FileRecord &file, const BackupFile &w) const;
    clsNode *Lookup(const QString &path);
    // The names of one directory that already have a record.
    QStringList &KnownNames(const QString &path);
    QString Counter(int index) const;
    // Shows "index + 1 Of n" and lets events run now and then, and always for the last file.
    void ShowCount(int index, bool last);

    Model &model;
    const BackupOptions &options;
    BackupView &view;
    BackupFiles &work;

    std::unique_ptr<clsNode> tree; // the directories of this run
    // The files that already have a record, by directory, in comparable form: sorted lists
    // rather than tree nodes, since there are many more files than directories.
    QHash<QString, QStringList> knownFiles;
    // The file names each directory's walk found, so that collecting files lists it only once.
    QHash<QString, QStringList> listedFiles;
    EventPacer pacer;
    QSet<QString> warnedKeys;
    QList<WorkDir> workDirs;
    int dirCounter = -1;
    int collected = 0;
    QString backupDirComparable;
    QStringList excludedDirs; // comparable prefixes
    QString excludedNames;    // the name patterns as one list
    int filesToBackup = -1;
    double totalToBackup = 0;
    qint64 nextSortYield = 0;
    bool leftOut = false;
};
