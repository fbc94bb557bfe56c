#pragma once
// The restore wizard: six steps from finding the medium to the finished list. The work under
// each step lives in the restore engine; this window holds the controls and decides which step
// comes next. Each step's logic has a file of its own (restorefromstep.cpp, restorefilesstep.cpp,
// restoretostep.cpp, restorerunstep.cpp); the controls are made in frmRestore_layout*.cpp.

#include "mediasearch.h"
#include "model.h"
#include "restorerun.h"
#include "restoreselection.h"

#include <QElapsedTimer>
#include <QHash>
#include <QWidget>

#include <array>

class CheckRoster;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QComboBox;
class PathLabel;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class RestoreFrameView;

class frmRestore : public QWidget {
    Q_OBJECT
public:
    enum Stage { FromStage, TypeStage, FilesStage, ToStage, RunStage, FinishedStage, StageCount };

    explicit frmRestore(QWidget *parent = nullptr);
    ~frmRestore() override;

    // Starts at step 1 with nothing loaded; an open window is only brought forward.
    void ShowForm();
    // Hides the window; the information file it loaded goes with it.
    void HideForm();

    int CurrentStage() const { return stage; }
    const RestoreSelection &Selection() const { return selection; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // frmRestore_layout.cpp and frmRestore_layoutfiles.cpp
    void BuildLayout();
    QWidget *BuildFromFrame();
    QWidget *BuildTypeFrame();
    QWidget *BuildFilesFrame();
    QWidget *BuildToFrame();
    QWidget *BuildRunFrame();
    QWidget *BuildFinishedFrame();
    void BuildTimers();
    void ConnectEvents();
    void ConnectFromEvents();
    void ConnectFilesEvents();
    void ConnectToEvents();
    void ConnectRunEvents();

    // frmRestore.cpp: the wizard itself
    void ShowStage();
    // The work of entering the current step; false when the window closed instead.
    bool EnterStage();
    void NextClick();
    void BackClick();
    void CancelClick();
    bool RestoreOnly() const;
    void FinishWizard();
    void SetNextEnabled(bool enabled);

    // restorefromstep.cpp: step 1
    void EnterFromStage();
    void PopRestDir();
    void AutoSearchClick();
    void FindClick();
    void CurrentClick();
    void SetFrame1Enabled(bool enabled);
    // Loads the information file chosen in step 1; false when the window closed instead.
    bool LeaveFromStage();

    // restorefilesstep.cpp: step 3 and the lists it needs
    void BuildLists();
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
    void ShowMessage(const QString &text);
    void ApplyTypeForward();

    // restoretostep.cpp: step 4
    // Refusals send the wizard back (false: enter the step it went back to).
    bool EnterToStage();
    void PopRestore();
    void ChangeRestoreClick();

    // restorerunstep.cpp: steps 5 and 6
    void DoRestore();
    void ShowResult(const RestoreResult &result);
    void SetLast();
    void PauseClick();
    void TickTime();
    void TickUnzip();

    // Window state.
    int stage = FromStage;
    bool goingBack = false;
    bool stageBusy = false;
    bool nextEnabled = true;
    bool backEnabled = true;
    bool filterSuppressed = false;
    bool running = false;
    int numberToRestore = -1;

    PossibleDrives drives;
    QString restoreFrom;
    bool restoreFromValid = false;
    QString loadedDirectory;
    bool loaded = false;
    // The information file loaded in step 1: the program's own model is never touched.
    Model model;
    RestoreSelection selection{model};
    QString restoreTo;
    // The tree's item for each directory, by its comparable path.
    QHash<QString, QTreeWidgetItem *> nodeOf;
    // The file index of each row of lstFiles.
    QList<int> rowFile;
    QElapsedTimer elapsed;
    bool unzipSlash = false;

    // Wizard controls.
    std::array<QGroupBox *, StageCount> fraRestore{};
    QPushButton *cmdNext = nullptr;
    QPushButton *cmdBack = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdHelp = nullptr;

    // Step 1.
    QLabel *lblRestDirCap = nullptr;
    PathLabel *lblRestDir = nullptr;
    QLabel *lblNotRestDir = nullptr;
    QPushButton *cmdAutoSearch = nullptr;
    QPushButton *cmdFind = nullptr;
    QCheckBox *chkCurrent = nullptr;

    // Step 2.
    std::array<QRadioButton *, 4> optRestType{};

    // Step 3.
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
    QLabel *lblMessages = nullptr;

    // Step 4.
    PathLabel *lblRestore = nullptr;
    QLabel *lblWarning = nullptr;
    QPushButton *cmdChangeRestore = nullptr;
    QPushButton *cmdCheck = nullptr;

    // Step 5.
    PathLabel *lblRestoring = nullptr;
    PathLabel *lblTo = nullptr;
    QLabel *lblRestored = nullptr;
    QLabel *lblCopied = nullptr;
    QLabel *lblTotal = nullptr;
    QLabel *lblTime = nullptr;
    QLabel *lblNext = nullptr;
    QProgressBar *prgFiles = nullptr;
    QProgressBar *prgSize = nullptr;
    QPushButton *cmdPause = nullptr;
    QTimer *tmrDoRestore = nullptr;
    QTimer *tmrTimer = nullptr;
    QTimer *tmrUnzip = nullptr;

    // Step 6.
    QLabel *lblFinished = nullptr;
    QListWidget *lstSubs = nullptr;
    QLabel *lblSubs = nullptr;
    QListWidget *lstUnrestore = nullptr;
    QLabel *lblUnrestored = nullptr;

    friend class RestoreFrameView;
};
