#pragma once
// The setup window: what is backed up, what is left out, which media are still there, how often
// a backup is due and where it goes. Edits change the model at once; OK keeps them and saves the
// information file, Cancel gives back the snapshot taken when the window was filled.

#include "setupsnapshot.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class ListTab;
class QListWidget;
class QPushButton;
class QTabWidget;

class frmSetup : public QWidget {
    Q_OBJECT
public:
    static constexpr char Caption[] = "Setup";

    explicit frmSetup(QWidget *parent = nullptr);

    // Brings the window up when visible; otherwise fills it from the model and shows it.
    void ShowForm();
    void HideForm();
    // Fills every control from the model and takes a fresh snapshot for Cancel.
    void PopForm();
    // Asks "Really cancel setup?" and on Yes gives back the snapshot and hides.
    void CancelSetup();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildLayout();
    QWidget *BuildDirectoriesTab();
    QWidget *BuildPatternsTab();
    QWidget *BuildExcludesTab();
    QWidget *BuildUpdatesTab();
    QWidget *BuildMediaTab();
    QWidget *BuildMiscTab();
    void ConnectControls();
    void ConnectDirectories();
    void ConnectPatterns();
    void ConnectExcludes();
    void ConnectUpdates();
    void ConnectMedia();
    void ConnectMisc();
    void OkClick();

    // Information file and updater.
    void ImportClick();
    void ResetClick();

    // Media availability.
    void PopUnAvailable();
    void SetMakeUnAvailableEnabled();
    void MakeUnavailableClick();
    void MakeAvailableClick();
    void DeleteClick();

    // Misc.
    void PopBackupDirectory();
    void PopTempDirectory();
    void SetBackupDirectoryClick();
    void SetTempDirectoryClick();

    SetupSnapshot snapshot;

    QTabWidget *tabs = nullptr;
    QPushButton *cmdOk = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdHelp = nullptr;

    QLabel *lblDirectoriesCap = nullptr;
    QListWidget *lstDirectories = nullptr;
    ListTab *directoriesTab = nullptr;
    QPushButton *cmdAdd = nullptr;
    QPushButton *cmdEdit = nullptr;
    QPushButton *cmdRemove = nullptr;
    QPushButton *cmdClearDirs = nullptr;

    QLabel *lblIncludedPatternsCap = nullptr;
    QListWidget *lstPatterns = nullptr;
    ListTab *patternsTab = nullptr;
    QPushButton *cmdAddPatt = nullptr;
    QPushButton *cmdEditPatt = nullptr;
    QPushButton *cmdRemovePatt = nullptr;
    QPushButton *cmdClearPatts = nullptr;
    QLabel *lblCommon = nullptr;
    QComboBox *cmbCommon = nullptr;
    QPushButton *cmdAddCommon = nullptr;

    QLabel *lblExclude = nullptr;
    QListWidget *lstExclude = nullptr;
    ListTab *excludesTab = nullptr;
    QPushButton *cmdAddEx = nullptr;
    QPushButton *cmdAddPattEx = nullptr;
    QPushButton *cmdEditEx = nullptr;
    QPushButton *cmdRemoveEx = nullptr;
    QPushButton *cmdCLearDirsEx = nullptr;

    QLabel *lblUpdateCap = nullptr;
    QCheckBox *chkUpdate = nullptr;
    QLabel *lblProgramCap = nullptr;
    QPushButton *cmdRollback = nullptr;
    QLabel *lblFileCap = nullptr;
    QPushButton *cmdImportINI = nullptr;
    QPushButton *cmdExportIni = nullptr;
    QPushButton *cmdReset = nullptr;

    QLabel *lblAvailable = nullptr;
    QListWidget *lstAvailable = nullptr;
    QLabel *lblUnavailable = nullptr;
    QListWidget *lstUnavailable = nullptr;
    QLabel *lblDeleted = nullptr;
    QListWidget *lstDeleted = nullptr;
    QPushButton *cmdMakeAvailable = nullptr;
    QPushButton *cmdMakeUnavailable = nullptr;
    QPushButton *cmdDelete = nullptr;
    QLabel *lblLostMedia = nullptr;
    QLabel *lblBackupNow = nullptr;

    QCheckBox *chkStartup = nullptr;
    QLabel *lblInterval = nullptr;
    QComboBox *cmbInterval = nullptr;
    QLabel *lblBackupDirCap = nullptr;
    QLabel *lblBackupDir = nullptr;
    QPushButton *cmdSetBackupDirectory = nullptr;
    QLabel *lblTempDirCap = nullptr;
    QLabel *lblTempDir = nullptr;
    QPushButton *cmdSetTempDirectory = nullptr;
};
