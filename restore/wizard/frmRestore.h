#pragma once
// The restore wizard: six steps from finding the medium to the finished list. The work under
// each step lives in the restore engine; this window decides which step comes next. The file
// step (RestoreFilesStep) and the running step (RestoreProgress) are widgets that own their
// controls; the other steps' logic has a file of its own (restorefromstep.cpp,
// restoretostep.cpp, restorerunstep.cpp), and their controls are made in frmRestore_layout.cpp.

#include "mediasearch.h"
#include "model.h"
#include "restorerun.h"
#include "restoreselection.h"

#include <QWidget>

#include <array>

class CheckRoster;
class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class PathLabel;
class QTimer;
class RestoreFilesStep;
class RestoreProgress;

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
    // frmRestore_layout.cpp
    void BuildLayout();
    QWidget *BuildFromFrame();
    QWidget *BuildTypeFrame();
    QWidget *BuildFilesFrame();
    QWidget *BuildToFrame();
    QWidget *BuildRunFrame();
    QWidget *BuildFinishedFrame();
    void ConnectEvents();
    void ConnectFromEvents();
    void ConnectToEvents();
    void ConnectRunEvents();

    // frmRestore.cpp: the wizard itself
    void ShowStage();
    void FocusStage();
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

    // frmRestore.cpp: step 3 is the files step's own; the window shows the building of its
    // lists and applies the type chosen in step 2.
    void BuildLists();
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

    // Window state.
    int stage = FromStage;
    bool goingBack = false;
    bool stageBusy = false;
    bool nextEnabled = true;
    bool backEnabled = true;
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
    RestoreFilesStep *files = nullptr;
    QLabel *lblMessages = nullptr;

    // Step 4.
    PathLabel *lblRestore = nullptr;
    QLabel *lblWarning = nullptr;
    QPushButton *cmdChangeRestore = nullptr;
    QPushButton *cmdCheck = nullptr;

    // Step 5.
    RestoreProgress *progress = nullptr;
    QTimer *tmrDoRestore = nullptr;

    // Step 6.
    QLabel *lblFinished = nullptr;
    QLabel *lblSummary = nullptr;
    QListWidget *lstSubs = nullptr;
    QLabel *lblSubs = nullptr;
    QListWidget *lstUnrestore = nullptr;
    QLabel *lblUnrestored = nullptr;
};
