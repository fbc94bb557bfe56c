#include "frmControl.h"

#include "SysTray.h"
#include "WindowKeys.h"
#include "appwindows.h"
#include "cancelflag.h"
#include "clock.h"
#include "duecheck.h"
#include "frmAbout.h"
#include "frmAlert.h"
#include "frmSplash.h"
#include "model.h"
#include "prompt.h"
#include "runinprogress.h"
#include "statusline.h"
#include "statuslog.h"
#include "windowplacement.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>

frmControl::frmControl(bool trayAvailable) {
    BuildLayout();
    BuildMenu();
    tray = new SysTray(this, trayAvailable, this);
    tray->SetMenu(mnuPop);
    alert = new frmAlert([this] { BackupClick(); });
    about = new frmAbout();
    Adopt(about);
    // Enter presses the button that has the focus; Escape is no way to leave the program.
    WindowKeys::Install(this, nullptr, false);
    ConnectControls();
    SetReadOnlyMode(false);
    RefreshAvailability();
    tmrCheckInterval->start();
    SetBusyHost(this);
}

frmControl::~frmControl() {
    if (CurrentBusyHost() == this)
        SetBusyHost(nullptr);
    delete alert;
    delete about;
    // The windows it opened belong to whoever made them; they outlive the control centre.
    for (const QPointer<QWidget> &window : adoptedWindows) {
        if (window && window->parentWidget() == this)
            window->setParent(nullptr, window->windowFlags());
    }
}

void frmControl::ConnectControls() {
    connect(cmdSetup, &QPushButton::clicked, this,
            [this] { OpenWindow(AppWindow::Setup, cmdSetup); });
    connect(cmdBackup, &QPushButton::clicked, this, &frmControl::BackupClick);
    connect(cmdRestore, &QPushButton::clicked, this,
            [this] { OpenWindow(AppWindow::Restore, cmdRestore); });
    connect(cmdDetails, &QPushButton::clicked, this,
            [this] { OpenWindow(AppWindow::Details, cmdDetails); });
    connect(cmdUpdate, &QPushButton::clicked, this, [this] {
        lastButton = cmdUpdate;
        StartUpdate(false, false);
    });
    connect(cmdHelp, &QPushButton::clicked, this, [this] {
        if (QWidget *help = AppWindowOf(AppWindow::Help))
            Adopt(help);
        ShowAppWindow(AppWindow::Help);
    });
    connect(cmdAbout, &QPushButton::clicked, this, [this] {
        lastButton = cmdAbout;
        about->DoAbout(isVisible());
    });
    connect(cmdExit, &QPushButton::clicked, this, &frmControl::RequestClose);
    connect(cmdWhyRead, &QPushButton::clicked, this, &frmControl::WhyReadOnly);
    connect(tmrCheckInterval, &QTimer::timeout, this, &frmControl::CheckIntervalTick);
    // Logging off or shutting down ends the program without the question.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] {
        if (!closing) {
            closing = true;
            ExitProgram(false);
        }
    });
}

void frmControl::KeepLoadSize() {
    adjustSize();
    FitTitle();
    setFixedSize(size());
}

void frmControl::FitTitle() {
    // The title bar holds the caption beside the window's own buttons; the window is made wide
    // enough for both, so that the caption is never cut.
    QFont titleFont = font();
    titleFont.setBold(true);
    const int buttonsWidth = 4 * style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    const int wanted = QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + buttonsWidth;
    if (width() < wanted)
        resize(wanted, height());
}

void frmControl::SetReadOnlyMode(bool readOnly) {
    this->readOnly = readOnly;
    lblReadOnly->setVisible(readOnly);
    cmdWhyRead->setVisible(readOnly);
    cmdSetup->setVisible(!readOnly);
    cmdUpdate->setVisible(!readOnly);
    cmdBackup->setVisible(!readOnly);
    // The menu's Backup goes with the button: a run could not keep its history in a directory
    // that cannot be written.
    for (int item : {0, 1, 3})
        mnuPopup[item]->setVisible(!readOnly);
    ShowStatus();
    KeepLoadSize();
}

void frmControl::ShowStatus() {
    // The window keeps its size, so the line has room for the longest text it can take.
    lblStatus->setMinimumSize(lblStatus->fontMetrics().size(0, WidestStatusText()));
    lblStatus->setText(ControlStatusText(TheModel(), Today(), readOnly));
}

void frmControl::OpenControlCentre() {
    if (splash)
        splash->HideSplash();
    if (tray->InTray() && tray->RestoreFromTray())
        return;
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

bool frmControl::Available(QPushButton *button) const {
    if (button == cmdSetup)
        return AppWindowOf(AppWindow::Setup);
    if (button == cmdBackup)
        return AppWindowOf(AppWindow::Backup);
    if (button == cmdRestore)
        return AppWindowOf(AppWindow::Restore);
    if (button == cmdDetails)
        return AppWindowOf(AppWindow::Details);
    if (button == cmdHelp)
        return AppWindowOf(AppWindow::Help);
    if (button == cmdUpdate)
        return HaveUpdateStarter();
    return true;
}

void frmControl::RefreshAvailability() {
    cmdHelp->setEnabled(Available(cmdHelp));
    mnuPopup[6]->setEnabled(Available(cmdDetails));
    DisEnableOpts(buttonsEnabled);
}

void frmControl::DisEnableOpts(bool enabled) {
    buttonsEnabled = enabled;
    for (QPushButton *button : {cmdSetup, cmdBackup, cmdRestore, cmdDetails, cmdExit})
        button->setEnabled(enabled && Available(button));
    if (!enabled) {
        // Without an update check the button is disabled for want of one, not by choice.
        if (HaveUpdateStarter())
            updateRemembered = cmdUpdate->isEnabled();
        cmdUpdate->setEnabled(false);
    } else {
        cmdUpdate->setEnabled(updateRemembered && Available(cmdUpdate));
    }
    QPushButton *const itemButtons[] = {cmdSetup, cmdUpdate, nullptr, cmdBackup, cmdRestore,
                                        nullptr,  nullptr,   nullptr, nullptr,   cmdExit};
    for (int i : {0, 1, 2, 3, 4, 5, 8, 9}) {
        const bool available = !itemButtons[i] || Available(itemButtons[i]);
        mnuPopup[i]->setEnabled(enabled && available);
    }
}

void frmControl::SetUpdateEnabled(bool enabled) {
    updateRemembered = enabled;
    if (!enabled)
        cmdUpdate->setEnabled(false);
    else if (buttonsEnabled)
        cmdUpdate->setEnabled(Available(cmdUpdate));
}

void frmControl::LastButtonDone() {
    DisEnableOpts(true);
    // The window that closed may have changed what is set up or made a backup.
    ShowStatus();
    if (lastButton && lastButton->isVisible() && lastButton->isEnabled())
        lastButton->setFocus();
}

void frmControl::OpenWindow(AppWindow which, QPushButton *button) {
    QWidget *window = AppWindowOf(which);
    if (!window)
        return;
    DisEnableOpts(false);
    Adopt(window);
    // Whichever way the window goes away, the buttons come back.
    if (!watchedWindows.contains(window)) {
        window->installEventFilter(this);
        watchedWindows.append(window);
    }
    ShowAppWindow(which);
    lastButton = button;
}

void frmControl::Adopt(QWidget *window) {
    if (window->parentWidget() == this || window->isVisible())
        return;
    window->setParent(this, window->windowFlags() | Qt::Window);
    window->installEventFilter(this);
    adoptedWindows.append(window);
}

bool frmControl::eventFilter(QObject *watched, QEvent *event) {
    // Placed before it is on the screen, so that it never shows first somewhere else.
    if (event->type() == QEvent::Show && !event->spontaneous()) {
        for (const QPointer<QWidget> &window : adoptedWindows) {
            if (window == watched)
                PlaceOver(window, this);
        }
    }
    if (event->type() == QEvent::Hide && !event->spontaneous() &&
        watchedWindows.contains(watched)) {
        // The details window, opened from the tray over another window, may go first: the
        // buttons stay held until that one goes too.
        bool anotherOpen = false;
        ForEachAppWindow([&](QWidget *window) {
            anotherOpen = anotherOpen || (window != watched && window->isVisible() &&
                                          watchedWindows.contains(window));
        });
        if (!anotherOpen)
            LastButtonDone();
    }
    return QWidget::eventFilter(watched, event);
}

void frmControl::BackupClick() {
    // The reminder's "Start Backup Now" comes here too; a run could not be saved.
    if (readOnly) {
        WhyReadOnly();
        return;
    }
    const Model &model = TheModel();
    if (model.DirectoriesLast() == -1 && model.IncludeAllLast() == -1) {
        MsgBox(QStringLiteral("To make a backup, you must either :\n"
                              "Select some directories to back up\n"
                              "And/Or\n"
                              "Enter some 'Include All' patterns"));
        return;
    }
    if (!AppWindowOf(AppWindow::Backup)) {
        StatusPrint(QStringLiteral("The backup window is not part of this build."));
        return;
    }
    OpenWindow(AppWindow::Backup, cmdBackup);
}

void frmControl::WhyReadOnly() {
    MsgBox(QStringLiteral("You appear to be running this program from write protected media (e.g. "
                          "a CD).\nWhen running from locked media, the operations that can be "
                          "performed are restricted.\nThis is because when using Setup and "
                          "Backup, files must be written to disk."));
}

void frmControl::MenuCommand(int index) {
    if (splash)
        splash->HideSplash();
    switch (index) {
    case 0:
        cmdSetup->click();
        break;
    case 1:
        cmdUpdate->click();
        break;
    case 3:
        cmdBackup->click();
        break;
    case 4:
        cmdRestore->click();
        break;
    case 6:
        OpenWindow(AppWindow::Details, cmdDetails);
        break;
    case 7:
        cmdAbout->click();
        break;
    case 9:
        RequestClose();
        break;
    default:
        break;
    }
}

void frmControl::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    ShowStatus();
}

void frmControl::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    if (windowState() & Qt::WindowMaximized)
        setWindowState(windowState() & ~Qt::WindowMaximized);
    else if (windowState() & Qt::WindowMinimized)
        tray->MinimiseToTray();
}

void frmControl::closeEvent(QCloseEvent *event) {
    if (closing || exited) {
        event->accept();
        return;
    }
    event->ignore();
    RequestClose();
}

void frmControl::RequestClose() {
    if (closing)
        return;
    closing = true;
    ExitProgram(true);
    closing = false;
}

bool frmControl::ExitProgram(bool ask) {
    // Quitting under a run would answer each of its questions at once, some of them for ever,
    // and leave the information file unsaved.
    if (AnyRunInProgress()) {
        if (ask) {
            MsgBox(QStringLiteral("A backup or a restore is running.\nStop it, or let it finish, "
                                  "before you exit."),
                   MsgButtons::OK, QString(), MsgIcon::Exclamation);
            return false;
        }
        EndAfterTheRun();
        return true;
    }
    if (ask && MsgBox(QStringLiteral("Really exit?"), MsgButtons::YesNo) != MsgAnswer::Yes)
        return false;
    about->hide();
    alert->hide();
    if (splash)
        splash->hide();
    ForEachAppWindow([](QWidget *window) { window->hide(); });
    if (tray->InTray())
        tray->RestoreFromTray();
    hide();
    tmrCheckInterval->stop();
    for (QWidget *child : findChildren<QWidget *>())
        child->setEnabled(false);
    for (QAction *item : mnuPopup)
        item->setEnabled(false);
    tray->Remove();
    exited = true;
    QCoreApplication::quit();
    return true;
}

void frmControl::EndAfterTheRun() {
    // The session is closing and nobody will answer: the run is cancelled, whatever it still
    // asks gets the answer that ends it, and the program ends once it has returned.
    SetProgramEnding(true);
    SetCancelFlag(true);
    auto *wait = new QTimer(this);
    connect(wait, &QTimer::timeout, this, [this, wait] {
        if (AnyRunInProgress())
            return;
        wait->deleteLater();
        ExitProgram(false);
    });
    wait->start(100);
}

void frmControl::CheckIntervalTick() {
    tmrCheckInterval->setInterval(60000);
    // The day may have turned since the line was written.
    ShowStatus();
    // No backup can be made from a directory that cannot be written: nothing to remind of.
    if (readOnly)
        return;
    if (CheckInterval(TheModel().Settings, TheReminderState(), Today(), SecondsSinceMidnight(),
                      IsAppWindowVisible(AppWindow::Backup)))
        alert->DoAlert(QString::fromLatin1(ReminderText), ReminderMinutes);
}

void frmControl::BeginBusy() {
    // Loading can save inside itself; only the outermost bracket remembers and restores.
    if (busyDepth++ > 0)
        return;
    busyCaption = windowTitle();
    busyStates.clear();
    for (QWidget *child : findChildren<QWidget *>()) {
        // The windows it opened are its children too, and stay usable.
        if (child->window() != this)
            continue;
        busyStates.append({child, child->isEnabled()});
        child->setEnabled(false);
    }
}

void frmControl::ShowBusyProgress(const QString &progress) {
    setWindowTitle(progress + QStringLiteral(" - ") + busyCaption);
}

void frmControl::EndBusy() {
    if (busyDepth == 0 || --busyDepth > 0)
        return;
    for (const auto &state : busyStates) {
        if (state.first)
            state.first->setEnabled(state.second);
    }
    busyStates.clear();
    if (!busyCaption.isEmpty())
        setWindowTitle(busyCaption);
}
