#pragma once
// Step 3 of the restore wizard: which files, which version of each, through the directory tree,
// the file list, the backups filter and the name filters, and the options of the restore. The
// choosing itself is the restore selection's; this step keeps its controls and the selection in
// step, and owns the one-shot timers that make a burst of changes filter once.

#include "restoreselection.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QWidget>

#include <functional>

class CheckRoster;
class PathLabel;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
struct Model;

class RestoreFilesStep : public QWidget {
public:
    // The step shows the files of model that selection was built from.
    RestoreFilesStep(const Model &model, RestoreSelection &selection, QWidget *parent = nullptr);

    // As a new wizard starts: both options ticked, the name filters empty.
    void Reset();
    // Builds the selection and fills the lists from the loaded information file; message shows
    // each stage of the work and an empty text when it is done.
    void BuildLists(const std::function<void(const QString &)> &message);
    // Applies the restore type chosen in step 2 to the selection and the program option.
    void ApplyType(int type);

    bool KeepStructure() const;
    bool WithProgram() const;

private:
    // RestoreFilesStep_layout.cpp
    void BuildLayout();
    void ConnectEvents();

    void PopBackupFilter();
    void PopDirs();
    void PopFiles();
    void SetFilesTicked();
    void PopBackup();
    int GetFileIndex() const;
    void BackupChosen(int row);
    void StartFilter();
    void DoFilter2();
    void FilesClicked();
    void SetTvwEnabled();
    // Changes the node and every node below it, each by its own tick.
    void ChangeNodeAndBelow(QTreeWidgetItem *node, bool (*change)(bool ticked));
    void ChangeEveryNode(bool (*change)(bool ticked));
    void ChangeNodesBelow(bool (*change)(bool ticked));
    void ChangeShownFiles(bool (*change)(bool ticked));
    void ChangeBackupRows(bool (*change)(bool selected));
    void AllLatestClick();
    void RangeClick();
    void BackupRangeClick();
    void ResetFilters();

    const Model &model;
    RestoreSelection &selection;
    bool filterSuppressed = false;
    // The tree's item for each directory, by its comparable path.
    QHash<QString, QTreeWidgetItem *> nodeOf;
    // The file index of each row of lstFiles.
    QList<int> rowFile;
    QSet<QString> sharedNames; // names that more than one file of the loaded history carries

    QTreeWidget *tvwDirs = nullptr;
    CheckRoster *lstFiles = nullptr;
    QListWidget *lstBackupFilter = nullptr;
    QLineEdit *txtFilename = nullptr;
    QLineEdit *txtExt = nullptr;
    QTimer *tmrDoFilter = nullptr;
    QTimer *tmrCheckDirs = nullptr;
    QTimer *tmrFilesClick = nullptr;
    QPushButton *cmdAll = nullptr;
    QPushButton *cmdSelAll = nullptr;
    QPushButton *cmdDeSelAll = nullptr;
    QPushButton *cmdInvSel = nullptr;
    QPushButton *cmdRange = nullptr;
    QPushButton *cmdSelAllDir = nullptr;
    QPushButton *cmdDeSelAllDir = nullptr;
    QPushButton *cmdInvSelDir = nullptr;
    QPushButton *cmdSelUnder = nullptr;
    QPushButton *cmdDeSelUnder = nullptr;
    QPushButton *cmdInvUnder = nullptr;
    QPushButton *cmdBackupSelAll = nullptr;
    QPushButton *cmdBackupDeSelAll = nullptr;
    QPushButton *cmdBackupInvertAll = nullptr;
    QPushButton *cmdBackupRange = nullptr;
    QPushButton *cmdReset = nullptr;
    QComboBox *cmbBackups = nullptr;
    QLabel *lblMedia = nullptr;
    PathLabel *lblFileDir = nullptr;
    PathLabel *lblFile = nullptr;
    QLabel *lblFilesShown = nullptr;
    QCheckBox *chkDirStruct = nullptr;
    QCheckBox *chkIni = nullptr;
};
