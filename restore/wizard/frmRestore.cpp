// The wizard itself: showing a step, Next, Back, Cancel or Exit, and closing.
#include "frmRestore.h"

#include "RestoreFilesStep.h"
#include "WindowKeys.h"
#include "appwindows.h"
#include "cancelconfirm.h"
#include "cancelflag.h"
#include "doevents.h"
#include "model.h"
#include "platform.h"
#include "programend.h"
#include "prompt.h"
#include "startup.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

frmRestore::frmRestore(QWidget *parent) : QWidget(parent, Qt::Window) {
    BuildLayout();
    ConnectEvents();
    // Escape is Cancel (Exit when restoring alone), with its question; Finish once it is done.
    WindowKeys::Install(this, cmdCancel);
}

frmRestore::~frmRestore() = default;

void frmRestore::ConnectEvents() {
    connect(cmdNext, &QPushButton::clicked, this, &frmRestore::NextClick);
    connect(cmdBack, &QPushButton::clicked, this, &frmRestore::BackClick);
    connect(cmdCancel, &QPushButton::clicked, this, &frmRestore::CancelClick);
    connect(cmdHelp, &QPushButton::clicked, this, [] { ShowAppWindow(AppWindow::Help); });
    ConnectFromEvents();
    ConnectToEvents();
    ConnectRunEvents();
}

bool frmRestore::RestoreOnly() const {
    return TheAppMode().RestoreMode;
}

void frmRestore::ShowForm() {
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    files->Reset();
    stage = FromStage;
    loaded = false;
    stageBusy = false;
    goingBack = false;
    SetCancelFlag(false);
    cmdCancel->setText(RestoreOnly() ? QStringLiteral("Exit") : QStringLiteral("Cancel"));
    cmdCancel->setEnabled(true);
    ShowStage();
    // One size for every step, large enough for the file lists; never larger than the screen.
    const QSize wanted = sizeHint().expandedTo(QSize(960, 720)).boundedTo(QSize(1024, 768));
    const QRect screen = this->screen()->availableGeometry();
    resize(wanted.boundedTo(screen.size()));
    show();
    raise();
    activateWindow();
}

void frmRestore::HideForm() {
    hide();
    const AppMode &mode = TheAppMode();
    // Started only to restore, the program has no other window to go back to, and never uses
    // its own information file.
    if (mode.RestoreMode) {
        EndProgram(0);
        return;
    }
    // The information file this window loaded is dropped; the program's own model was never
    // touched. The control centre sees the window hide and gives its buttons back.
    ResetSettings(model);
}

void frmRestore::ShowStage() {
    if (stageBusy)
        return;
    stageBusy = true;
    nextEnabled = true;
    backEnabled = true;
    cmdNext->setText(QStringLiteral("Next"));
    const bool stillOpen = EnterStage();
    stageBusy = false;
    goingBack = false;
    if (!stillOpen)
        return;
    for (int i = 0; i < StageCount; ++i)
        fraRestore[i]->setVisible(i == stage);
    cmdNext->setEnabled(nextEnabled);
    cmdBack->setEnabled(backEnabled);
    FocusStage();
}

void frmRestore::FocusStage() {
    // Each step starts where its choice is made. Where a usable medium or destination has been
    // found already, that is Next, so that Enter takes it; the end is at Finish.
    const bool foundAlready = (stage == FromStage || stage == ToStage) && cmdNext->isEnabled();
    if (stage == FinishedStage || foundAlready || !FocusFirstIn(fraRestore[stage]))
        cmdNext->setFocus(Qt::OtherFocusReason);
}

bool frmRestore::EnterStage() {
    for (;;) {
        switch (stage) {
        case FromStage:
            EnterFromStage();
            backEnabled = false;
            return true;
        case TypeStage:
            return goingBack || LeaveFromStage();
        case FilesStage:
            if (optRestType[RestoreChosen]->isChecked())
                return true;
            if (goingBack) {
                // Only the chosen type has a file step; going back passes it by.
                stage = TypeStage;
                continue;
            }
            ApplyTypeForward();
            stage = ToStage;
            continue;
        case ToStage:
            if (EnterToStage())
                return true;
            continue;
        case RunStage:
            nextEnabled = false;
            backEnabled = false;
            tmrDoRestore->start();
            return true;
        default:
            SetLast();
            return true;
        }
    }
}

void frmRestore::ShowMessage(const QString &text) {
    // The lists are built within one event: each stage is shown before it starts.
    if (text.isEmpty()) {
        lblMessages->hide();
        return;
    }
    lblMessages->setText(text);
    lblMessages->show();
    DoEvents();
}

void frmRestore::BuildLists() {
    files->BuildLists([this](const QString &text) { ShowMessage(text); });
}

void frmRestore::ApplyTypeForward() {
    for (int type = 0; type < 4; ++type)
        if (optRestType[type]->isChecked())
            files->ApplyType(type);
}

void frmRestore::SetNextEnabled(bool enabled) {
    nextEnabled = enabled;
    // During a step change the change applies it at its end.
    if (!stageBusy)
        cmdNext->setEnabled(enabled);
}

void frmRestore::NextClick() {
    if (cmdNext->text() == QLatin1String("Finish")) {
        FinishWizard();
        return;
    }
    if (stageBusy || stage >= FinishedStage)
        return;
    ++stage;
    ShowStage();
}

void frmRestore::BackClick() {
    if (stageBusy || stage <= FromStage)
        return;
    goingBack = true;
    --stage;
    ShowStage();
}

void frmRestore::CancelClick() {
    // Started only to restore, the button reads "Exit" and closing ends the program.
    const char *word = RestoreOnly() ? "exit" : "cancel";
    // A running restore stops at its next check and closes the window itself, so the model it
    // works on is not swapped under it.
    if (running)
        ConfirmCancel({}, word);
    else
        ConfirmCancel([this] { HideForm(); }, word);
}

void frmRestore::closeEvent(QCloseEvent *event) {
    if (!isVisible()) {
        event->accept();
        return;
    }
    // Once the restore is done there is nothing left to cancel: closing is Finish.
    if (stage == FinishedStage && !running) {
        event->ignore();
        FinishWizard();
        return;
    }
    CancelClick();
    if (CancelFlag())
        event->accept();
    else
        event->ignore();
}

void frmRestore::FinishWizard() {
    if (!RestoreOnly()) {
        HideForm();
        return;
    }
    QString text = QStringLiteral("Restoring done! Byebye!\nTo restore more files you can run "
                                  "the program from the CD again.\n");
    if (files->WithProgram())
        text += QStringLiteral("Or, as you chose to restore the program files, you can also run "
                               "the program from :\n") +
                restoreTo + QLatin1String(MarkerDirectoryName) + platform::SeparatorString() +
                platform::ExecutableName(QStringLiteral("Backup"));
    else
        text += QStringLiteral(
            "Next time you restore files you have the option of restoring the program files too!");
    MsgBox(text);
    HideForm();
}
