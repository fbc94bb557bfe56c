#pragma once
// The backup wizard: six steps from the medium to the finished run. Steps 1 to 4 collect the
// choices (the medium goes into the settings at once), step 5 runs the backup engine and shows
// its progress, step 6 shows the zip statistics. The layout lives in frmBackup_layout.cpp, the
// steps in frmBackup.cpp, the run and its buttons in frmBackup_run.cpp.

#include "backuprun.h"
#include "backupview.h"

#include <QWidget>

#include <array>
#include <functional>

class BackupProgress;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTimer;
class frmFilesToBackup;
struct CustomFields;

class frmBackup : public QWidget {
    Q_OBJECT
public:
    static constexpr char Caption[] = "Backup";
    enum Step { MediumStep, DirectoryStep, PatternStep, OptionsStep, RunStep, FinishedStep };
    static constexpr int StepCount = 6;

    explicit frmBackup(QWidget *parent = nullptr);
    ~frmBackup() override;

    void ShowForm();
    void HideForm();
    // What "Help" opens; nothing until the help window exists.
    void SetHelpAction(std::function<void()> action) { helpAction = std::move(action); }

    int CurrentStep() const { return stage; }
    // The result of the last run, for whoever looks after the window closes.
    const BackupResult &LastResult() const { return result; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Layout.
    void BuildLayout();
    QWidget *BuildMediumStep();
    QWidget *BuildDirectoryStep();
    QWidget *BuildPatternStep();
    QWidget *BuildOptionsStep();
    QWidget *BuildRunStep();
    QWidget *BuildFinishedStep();
    QHBoxLayout *BuildSelectionButtons(QWidget *parent, QListWidget *list,
                                       const std::array<const char *, 4> &names,
                                       const QString &emptyMessage);
    void ConnectControls();

    // Steps.
    void ShowStage();
    void FocusStep();
    // Moves to target, passing over steps with nothing to choose in the direction of travel.
    void MoveTo(int target, int direction);
    void NextClick();
    void BackClick();
    void CancelClick();
    void EnterMediumStep();
    bool CheckCustom();
    void PopSizeName();
    CustomFields ReadCustomFields() const;
    void MediumChosen(int index);
    void WriteMethodChosen(int index);
    void ShowMediumFrames();
    void PopDirs();
    void PopIncludeAll();
    void CopyDirectorySelection();
    bool SetDirs();
    bool ConfirmSkip();
    BackupOptions ChosenOptions() const;

    // The run.
    void StartBackup();
    void StopClick();
    void PauseClick();
    void ViewListClick();
    void ShowStatistics(const ZipTotals &totals);
    void ShowActivity(const QString &activity);

    int stage = MediumStep;
    bool populating = false;
    bool running = false;
    BackupControl control;
    BackupResult result;
    std::function<void()> helpAction;

    QStackedWidget *steps = nullptr;
    std::array<QGroupBox *, StepCount> fraBackup{};
    QPushButton *cmdNext = nullptr;
    QPushButton *cmdBack = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdHelp = nullptr;

    // Step 1.
    QButtonGroup *optMedium = nullptr;
    QButtonGroup *optType = nullptr;
    QGroupBox *fraCustom = nullptr;
    QGroupBox *fraWrite = nullptr;
    QLineEdit *txtSize = nullptr;
    QComboBox *cmbSize = nullptr;
    QLineEdit *txtName = nullptr;
    QLineEdit *txtCluster = nullptr;

    // Steps 2 and 3.
    QListWidget *lstDirectories = nullptr;
    QListWidget *lstPatterns = nullptr;

    // Step 4.
    QCheckBox *chkZip = nullptr;
    QCheckBox *chkDontZip = nullptr;
    QCheckBox *chkForceZip = nullptr;
    QCheckBox *chkFresh = nullptr;
    QCheckBox *chkSkip = nullptr;

    // Steps 5 and 6.
    BackupProgress *progress = nullptr;
    QTimer *tmrStartBackup = nullptr;
    frmFilesToBackup *filesWindow = nullptr;
    std::array<QLabel *, 8> zipFigures{};
    QLabel *lblSummary = nullptr;
};
