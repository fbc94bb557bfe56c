// The "Misc." tab: the backup and temporary directories (the interval and the start-up flag are
// only read by OK).
#include "frmSetup.h"

#include "LabelCaption.h"
#include "model.h"
#include "nicecaption.h"
#include "platform.h"
#include "selectors.h"
#include "storabletext.h"

#include <QLabel>
#include <QPushButton>

namespace {

void ShowDirectory(QLabel *label, const QString &directory) {
    LabelCaption caption(label);
    NiceCaption(&caption, directory, platform::SeparatorString(), 2);
    label->setToolTip(directory);
}

} // namespace

void frmSetup::ConnectMisc() {
    connect(cmdSetBackupDirectory, &QPushButton::clicked, this, &frmSetup::SetBackupDirectoryClick);
    connect(cmdSetTempDirectory, &QPushButton::clicked, this, &frmSetup::SetTempDirectoryClick);
}

void frmSetup::PopBackupDirectory() {
    ShowDirectory(lblBackupDir, TheModel().Settings.BackupDirectory);
}

void frmSetup::PopTempDirectory() {
    ShowDirectory(lblTempDir, TheModel().Settings.TempDirectory);
}

void frmSetup::SetBackupDirectoryClick() {
    QString &directory = TheModel().Settings.BackupDirectory;
    const QString chosen = GetDirectory(directory);
    if (CheckStorable(QStringLiteral("The backup directory"), chosen))
        directory = chosen;
    PopBackupDirectory();
}

void frmSetup::SetTempDirectoryClick() {
    QString &directory = TheModel().Settings.TempDirectory;
    const QString chosen = GetDirectory(directory);
    if (CheckStorable(QStringLiteral("The temporary zip directory"), chosen))
        directory = chosen;
    PopTempDirectory();
}
