// The wizard's steps: moving between them, the medium of step 1, the selections of steps 2 and
// 3 and the options of step 4.
#include "frmBackup.h"

#include "BackupProgress.h"
#include "WindowKeys.h"
#include "cancelflag.h"
#include "customcheck.h"
#include "frmFilesToBackup.h"
#include "mediumtypes.h"
#include "model.h"
#include "prompt.h"
#include "stopquestions.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>

namespace {

constexpr int WriteOneByOne = 0, WriteAllAtOnceOption = 1, WriteXpWayOption = 2;

bool NothingToChoose(int step) {
    const Model &m = TheModel();
    return (step == frmBackup::DirectoryStep && m.DirectoriesLast() < 0) ||
           (step == frmBackup::PatternStep && m.IncludeAllLast() < 0);
}

} // namespace

frmBackup::frmBackup(QWidget *parent) : QWidget(parent, Qt::Window) {
    BuildLayout();
    tmrStartBackup = new QTimer(this);
    tmrStartBackup->setObjectName(QStringLiteral("tmrStartBackup"));
    tmrStartBackup->setSingleShot(true);
    tmrStartBackup->setInterval(0);
    filesWindow = new frmFilesToBackup(this);
    ConnectControls();
    // Escape is Cancel, with its question; once Cancel is gone (the last step) it closes.
    WindowKeys::Install(this, cmdCancel);
}

frmBackup::~frmBackup() = default;

void frmBackup::ConnectControls() {
    connect(cmdNext, &QPushButton::clicked, this, &frmBackup::NextClick);
    connect(cmdBack, &QPushButton::clicked, this, &frmBackup::BackClick);
    connect(cmdCancel, &QPushButton::clicked, this, &frmBackup::CancelClick);
    connect(cmdHelp, &QPushButton::clicked, this, [this] {
        if (helpAction)
            helpAction();
    });
    connect(optMedium, &QButtonGroup::idClicked, this, &frmBackup::MediumChosen);
    connect(optType, &QButtonGroup::idClicked, this, &frmBackup::WriteMethodChosen);
    connect(chkZip, &QCheckBox::toggled, this, [this](bool zip) {
        chkDontZip->setEnabled(zip);
        chkForceZip->setEnabled(zip);
    });
    connect(tmrStartBackup, &QTimer::timeout, this, &frmBackup::StartBackup);
    connect(progress->StopButton(), &QPushButton::clicked, this, &frmBackup::StopClick);
    connect(progress->PauseButton(), &QPushButton::clicked, this, &frmBackup::PauseClick);
    connect(progress->ViewListButton(), &QPushButton::clicked, this, &frmBackup::ViewListClick);
    progress->onActivity = [this](const QString &activity) { ShowActivity(activity); };
}

void frmBackup::ShowForm() {
    // A run still ending (cancelled from its window) keeps its state until it has returned, and
    // a window already open keeps the choices made in it.
    if (!running && !isVisible()) {
        progress->Reset();
        SetCancelFlag(false);
        stage = MediumStep;
        chkDontZip->setEnabled(chkZip->isChecked());
        chkForceZip->setEnabled(chkZip->isChecked());
        ShowStage();
        PopDirs();
        PopIncludeAll();
    }
    setWindowTitle(QString::fromLatin1(Caption));
    show();
    raise();
    activateWindow();
}

void frmBackup::HideForm() {
    filesWindow->hide();
    hide();
    // A wizard left before its run keeps no cancel that another window could trip over.
    if (!running)
        SetCancelFlag(false);
}

void frmBackup::closeEvent(QCloseEvent *event) {
    event->ignore();
    if (stage == FinishedStep)
        HideForm();
    else
        CancelClick();
}

void frmBackup::NextClick() {
    if (stage == FinishedStep) {
        HideForm();
        return;
    }
    if (stage == MediumStep && optMedium->checkedId() == CustomMediumKind && !CheckCustom())
        return;
    MoveTo(stage + 1, +1);
}

void frmBackup::BackClick() {
    if (stage > MediumStep)
        MoveTo(stage - 1, -1);
}

void frmBackup::CancelClick() {
    if (AskCancel(control))
        HideForm();
}

void frmBackup::MoveTo(int target, int direction) {
    while (NothingToChoose(target))
        target += direction;
    if (target == PatternStep || target == OptionsStep)
        CopyDirectorySelection();
    if (direction > 0 && target == OptionsStep && !SetDirs())
        return;
    if (direction > 0 && target == RunStep && chkSkip->isChecked() && !ConfirmSkip())
        return;
    stage = target;
    ShowStage();
}

void frmBackup::ShowStage() {
    if (CancelFlag()) {
        HideForm();
        return;
    }
    cmdNext->setText(QStringLiteral("Next"));
    for (QPushButton *button : {cmdBack, cmdNext, cmdCancel})
        button->setEnabled(true);
    switch (stage) {
    case MediumStep:
        EnterMediumStep();
        break;
    case RunStep:
        cmdBack->setEnabled(false);
        cmdNext->setEnabled(false);
        progress->Reset();
        progress->StopButton()->setEnabled(true);
        tmrStartBackup->start();
        break;
    case FinishedStep:
        cmdBack->setEnabled(false);
        cmdCancel->setEnabled(false);
        cmdNext->setText(QStringLiteral("Finish"));
        break;
    default:
        break;
    }
    steps->setCurrentIndex(stage);
    FocusStep();
}

void frmBackup::FocusStep() {
    // Each step starts where its choice is made; the run at its Stop button, the end at Finish.
    if (stage == RunStep)
        progress->StopButton()->setFocus(Qt::OtherFocusReason);
    else if (stage == FinishedStep || !FocusFirstIn(fraBackup[stage]))
        cmdNext->setFocus(Qt::OtherFocusReason);
}

void frmBackup::EnterMediumStep() {
    cmdBack->setEnabled(false);
    const SettingsRecord &s = TheModel().Settings;
    populating = true;
    optMedium->button(qBound(0, s.MediaKind, MediumTypeCount - 1))->setChecked(true);
    const int write = s.WriteXpWay       ? WriteXpWayOption
                      : s.WriteAllAtOnce ? WriteAllAtOnceOption
                                         : WriteOneByOne;
    optType->button(write)->setChecked(true);
    populating = false;
    PopSizeName();
    ShowMediumFrames();
    for (clsDirectory &dir : TheModel().Directories)
        dir.Selected = true;
}

void frmBackup::ShowMediumFrames() {
    const int chosen = optMedium->checkedId();
    fraCustom->setVisible(chosen == CustomMediumKind);
    fraWrite->setVisible(chosen != NoLimitMediumKind);
}

void frmBackup::MediumChosen(int index) {
    ShowMediumFrames();
    if (populating)
        return;
    SettingsRecord &s = TheModel().Settings;
    if (index == CustomMediumKind) {
        MsgBox(QStringLiteral("You must be careful using custom sizes as sizes quoted\n"
                              "by retailers are often not the actual size! You will need\n"
                              "to research the actual size (free size quoted in\n"
                              "writing programs, internet etc.)"),
               MsgButtons::OK, QStringLiteral("Warning!"));
        return;
    }
    ApplyMediumType(s, index);
    // A medium with a limit is written the way the visible option says, also after "No Limit"
    // had set "all at once" behind it.
    if (index != NoLimitMediumKind)
        WriteMethodChosen(optType->checkedId());
}

void frmBackup::WriteMethodChosen(int index) {
    if (populating)
        return;
    SettingsRecord &s = TheModel().Settings;
    s.WriteAllAtOnce = index == WriteAllAtOnceOption;
    s.WriteXpWay = index == WriteXpWayOption;
}

CustomFields frmBackup::ReadCustomFields() const {
    CustomFields fields;
    fields.size = txtSize->text();
    fields.gigabytes = cmbSize->currentIndex() == 1;
    fields.name = txtName->text();
    fields.cluster = txtCluster->text();
    return fields;
}

bool frmBackup::CheckCustom() {
    SettingsRecord &s = TheModel().Settings;
    s.MediaKind = CustomMediumKind;
    const CustomFields fields = ReadCustomFields();
    const QString problems = CustomProblems(fields);
    if (!problems.isEmpty()) {
        MsgBox(problems, MsgButtons::OK);
        return false;
    }
    ApplyCustom(fields, s);
    return true;
}

void frmBackup::PopSizeName() {
    const CustomFields fields = CustomFieldsOf(TheModel().Settings);
    txtSize->setText(fields.size);
    cmbSize->setCurrentIndex(fields.gigabytes ? 1 : 0);
    txtName->setText(fields.name);
    txtCluster->setText(fields.cluster);
}

void frmBackup::PopDirs() {
    lstDirectories->clear();
    for (const clsDirectory &dir : TheModel().Directories) {
        const QString row = dir.NiceDirName() + QStringLiteral(", ") + dir.Patterns +
                            QStringLiteral(", ") +
                            (dir.IncludeSubdirs ? QString() : QStringLiteral("Dont ")) +
                            QStringLiteral("Include Subdirectories");
        auto *item = new QListWidgetItem(row, lstDirectories);
        item->setSelected(dir.Selected);
    }
}

void frmBackup::PopIncludeAll() {
    lstPatterns->clear();
    lstPatterns->addItems(TheModel().IncludeAll);
    lstPatterns->selectAll();
}

void frmBackup::CopyDirectorySelection() {
    QList<clsDirectory> &dirs = TheModel().Directories;
    for (int i = 0; i < dirs.size() && i < lstDirectories->count(); ++i)
        dirs[i].Selected = lstDirectories->item(i)->isSelected();
}

bool frmBackup::SetDirs() {
    CopyDirectorySelection();
    const bool anyDirectory = !lstDirectories->selectedItems().isEmpty();
    const bool anyPattern = !lstPatterns->selectedItems().isEmpty();
    if (anyDirectory || anyPattern)
        return true;
    MsgBox(QStringLiteral("You must select some directories (or 'Include All' Patterns) to "
                          "backup!"),
           MsgButtons::OK);
    return false;
}

bool frmBackup::ConfirmSkip() {
    return MsgBox(QStringLiteral("Warning! You have selected NOT to copy files!\n"
                                 "Use this if a backup failed in the 'setting attributes' stage "
                                 "to try that bit again.\nContinue?"),
                  MsgButtons::YesNo) == MsgAnswer::Yes;
}

BackupOptions frmBackup::ChosenOptions() const {
    BackupOptions options;
    options.chkZip = chkZip->isChecked();
    options.chkDontZip = options.chkZip && chkDontZip->isChecked();
    options.chkForceZip = options.chkZip && chkForceZip->isChecked();
    options.chkFresh = chkFresh->isChecked();
    options.chkSkip = chkSkip->isChecked();
    for (int i = 0; i < lstPatterns->count(); ++i) {
        if (lstPatterns->item(i)->isSelected())
            options.SelectedPatterns.append(i);
    }
    return options;
}
