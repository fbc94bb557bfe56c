#include "frmSetup.h"

#include "WindowKeys.h"
#include "appwindows.h"
#include "infofile.h"
#include "interval.h"
#include "listtab.h"
#include "model.h"
#include "programini.h"
#include "prompt.h"
#include "runatstartup.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

frmSetup::frmSetup(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmSetup"));
    BuildLayout();
    cmbInterval->addItems(IntervalTexts());
    ConnectControls();
    // Enter is OK; Escape is Cancel, with its question.
    WindowKeys::Install(this, cmdCancel);
    lblBackupDir->installEventFilter(this);
    lblTempDir->installEventFilter(this);
}

void frmSetup::ConnectControls() {
    connect(cmdOk, &QPushButton::clicked, this, &frmSetup::OkClick);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSetup::CancelSetup);
    connect(cmdHelp, &QPushButton::clicked, this, [] { ShowAppWindow(AppWindow::Help); });
    // Help opens only where the help window exists.
    cmdHelp->setEnabled(AppWindowOf(AppWindow::Help) != nullptr);
    ConnectDirectories();
    ConnectPatterns();
    ConnectExcludes();
    ConnectUpdates();
    ConnectMedia();
    ConnectMisc();
}

void frmSetup::ShowForm() {
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    PopForm();
    cmdOk->setEnabled(true);
    cmdCancel->setEnabled(true);
    cmdHelp->setEnabled(AppWindowOf(AppWindow::Help) != nullptr);
    show();
    raise();
    activateWindow();
}

void frmSetup::HideForm() {
    // The control centre sees the window hide and gives its buttons back (LastButtonDone).
    hide();
}

void frmSetup::PopForm() {
    snapshot.Take();
    const SettingsRecord &settings = TheModel().Settings;
    cmbInterval->setCurrentIndex(IntervalPosition(settings.BackupInterval));
    chkStartup->setChecked(settings.RunAtStartup);
    chkUpdate->setChecked(settings.CheckForUpdates);
    PopBackupDirectory();
    PopTempDirectory();
    patternsTab->Pop();
    directoriesTab->Pop();
    excludesTab->Pop();
    PopUnAvailable();
    tabs->setCurrentIndex(0);
}

void frmSetup::CancelSetup() {
    if (MsgBox(QStringLiteral("Really cancel setup?"), MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    snapshot.Restore();
    HideForm();
}

void frmSetup::OkClick() {
    cmdOk->setEnabled(false);
    cmdCancel->setEnabled(false);
    SettingsRecord &settings = TheModel().Settings;
    settings.BackupInterval = IntervalFromPosition(cmbInterval->currentIndex());
    settings.RunAtStartup = chkStartup->isChecked();
    SyncRunAtStartup();
    settings.CheckForUpdates = chkUpdate->isChecked();
    HideForm();
    SaveIniFile(ProgramIniPath());
}

void frmSetup::closeEvent(QCloseEvent *event) {
    // The close box is Cancel, with its question.
    event->ignore();
    if (cmdCancel->isEnabled())
        CancelSetup();
}

bool frmSetup::eventFilter(QObject *watched, QEvent *event) {
    // A directory label is fitted to the width it has, which it gets only once its tab is laid
    // out.
    if (event->type() == QEvent::Resize) {
        if (watched == lblBackupDir)
            PopBackupDirectory();
        else if (watched == lblTempDir)
            PopTempDirectory();
    }
    return QWidget::eventFilter(watched, event);
}
