#pragma once
// What the restore wizard chooses from, without its windows: the files in name order, their
// directories as a list and a tree, the four restore types, the filter, and the checks made
// before a restore may start. Working state lives here, beside the loaded model, one entry per
// file.

#include "clsNode.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

struct RestoreFileState {
    bool Ticked = false;
    bool Shown = false;
    int UseVersion = -1; // index into the file's Versions
    QString SortKey;     // lower-cased Name
    int DirectoryIndex = -1;
};

enum RestoreType {
    RestoreAllWithProgram = 0,
    RestoreAllLatest = 1,
    RestoreProgramOnly = 2,
    RestoreChosen = 3,
};

struct RestoreFilter {
    QString filename;          // the "Filename :" box
    QString extension;         // the "Extension :" box
    QSet<int> selectedBackups; // backup indexes whose rows are selected
    // Whether the directory's node is ticked, by its comparable path; unset means all ticked.
    std::function<bool(const QString &comparableDir)> directoryTicked;
};

struct Model;

class RestoreSelection {
public:
    // The selection reads the files of this model, which outlives it.
    explicit RestoreSelection(const Model &model) : model(model) {}

    // Sorts the model's files and directories and resets every file: unticked, latest
    // version, shown when it has a version. stage, when given, hears each stage's caption
    // before it starts ("Sorting ...", "Processing Directories ...") and, at most every 0.2 s
    // while it runs, the caption's word with a growing row of dots ("Sorting ....").
    void Build(const std::function<void(const QString &)> &stage = {});

    const QList<int> &SortedOrder() const { return sorted; }
    const QStringList &Directories() const { return directories; }
    clsNode &DirectoryTree() { return *tree; }
    QList<RestoreFileState> &Files() { return files; }
    const QList<RestoreFileState> &Files() const { return files; }

    // Types 0 to 2 tick every file (0, 1) or none (2) with its latest version; returns whether
    // the program and information file are to be restored. Type 3 leaves the choice as it is.
    // Types 0 and 1 restore the latest state, so a file that a later backup replaced by a
    // folder, or a folder's file that it replaced by a file, stays unticked (ReplacedFiles).
    bool ApplyRestoreType(int type, bool programNow);

    // Of the files to restore, those whose path cannot exist beside another's with the directory
    // structure kept: a file whose path is a folder above another such file. Of each such pair
    // the file from the later backup (by the versions to restore) is kept, as that backup held
    // it at the path; the other is listed here, in index order.
    QList<int> ReplacedFiles() const;

    // Sets Shown for every file; returns whether any file's Shown changed.
    bool DoFilter2(const RestoreFilter &filter);

    // Count of files that are ticked and shown, less one.
    int NumberToRestore() const;

    // The refusal for duplicate names when restoring without directory structure, or an empty
    // text when every ticked, shown name is unique.
    QString DuplicateNamesMessage() const;

    // The refusal when there is nothing to restore, or empty text.
    QString NothingSelectedMessage(bool withProgram) const;

private:
    void SortFiles(const std::function<void()> &progress);
    void ProcDirsFiles(const std::function<void()> &progress);

    const Model &model;
    QList<RestoreFileState> files;
    QList<int> sorted;
    QStringList directories;
    std::unique_ptr<clsNode> tree = std::make_unique<clsNode>();
};

// Whether the 'Restore To' directory exists and holds neither files nor subdirectories.
bool IsRestoreToEmpty(const QString &directory);

inline constexpr char RestoreToNotEmptyWarning[] =
    "This directory is not empty. You can only restore files to an empty directory (to avoid the "
    "possibility of overwriting other files).";
