// Step 1: the 'Restore From' directory, and loading its information file when the step is left.
#include "frmRestore.h"

#include "PathLabel.h"
#include "infofile.h"
#include "mediuminifile.h"
#include "model.h"
#include "programini.h"
#include "prompt.h"
#include "selectors.h"
#include "textutil.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QPushButton>

void frmRestore::ConnectFromEvents() {
    connect(cmdAutoSearch, &QPushButton::clicked, this, &frmRestore::AutoSearchClick);
    connect(cmdFind, &QPushButton::clicked, this, &frmRestore::FindClick);
    connect(chkCurrent, &QCheckBox::clicked, this, &frmRestore::CurrentClick);
}

void frmRestore::EnterFromStage() {
    drives.Clear();
    drives.AddSystemDrives();
    // Backups to the hard disk lie in the program's own backup folder: the search looks there
    // after the drives, and a fresh start begins at the latest of them.
    const QString latest = drives.AddBackupFolder(TheModel().Settings.BackupDirectory);
    if (!loaded) {
        restoreFrom = latest.isEmpty() ? AddSlashed(LastDirectory()) : latest;
        PopRestDir();
    } else {
        // The media found below the chosen directory stay where the run will look for them.
        drives.IsDirBackup(restoreFrom, false);
        SetNextEnabled(restoreFromValid || chkCurrent->isChecked());
    }
    SetFrame1Enabled(!chkCurrent->isChecked());
}

void frmRestore::PopRestDir() {
    const RestoreFromState state = ::PopRestDir(drives, restoreFrom);
    restoreFrom = state.directory;
    restoreFromValid = state.valid;
    lblNotRestDir->setVisible(!state.valid);
    lblRestDir->SetPath(restoreFrom);
    SetNextEnabled(state.valid);
}

void frmRestore::AutoSearchClick() {
    const QString root = drives.FindLatestMedia();
    if (root.isEmpty())
        return;
    restoreFrom = root;
    PopRestDir();
}

void frmRestore::FindClick() {
    restoreFrom = GetDirectory(restoreFrom, QString::fromLatin1(DirectorySelectorCaption) +
                                                " - Finding Latest Backup");
    PopRestDir();
}

void frmRestore::SetFrame1Enabled(bool enabled) {
    const std::initializer_list<QWidget *> controls = {lblRestDir, lblRestDirCap, cmdAutoSearch,
                                                       cmdFind, lblNotRestDir};
    for (QWidget *control : controls)
        control->setEnabled(enabled);
}

void frmRestore::CurrentClick() {
    const bool current = chkCurrent->isChecked();
    SetFrame1Enabled(!current);
    if (current)
        SetNextEnabled(true);
    else
        PopRestDir();
}

bool frmRestore::LeaveFromStage() {
    const bool current = chkCurrent->isChecked();
    if (current)
        restoreFrom = AddSlashed(QFileInfo(ProgramIniPath()).absolutePath());
    if (restoreFrom != loadedDirectory)
        loaded = false;
    if (loaded)
        return true;
    loadedDirectory = restoreFrom;
    ResetSettings(model);
    const bool ok = current ? LoadIniFile(model, ProgramIniPath(), false)
                            : LoadMediumIniFile(model, loadedDirectory);
    if (!ok) {
        HideForm();
        return false;
    }
    if (model.FilesLast() == -1) {
        MsgBox(QString::fromLatin1(NoFilesToRestoreMessage));
        HideForm();
        return false;
    }
    BuildLists();
    loaded = true;
    return true;
}
