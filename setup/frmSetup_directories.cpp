// The "Directories To Backup" tab.
#include "frmSetup.h"

#include "clsDirectory.h"
#include "dirlists.h"
#include "listrefill.h"
#include "model.h"
#include "prompt.h"
#include "selectors.h"

#include <QListWidget>
#include <QPushButton>

void frmSetup::ConnectDirectories() {
    connect(lstDirectories, &QListWidget::itemSelectionChanged, this, &frmSetup::DoEnableDirs);
    connect(cmdAdd, &QPushButton::clicked, this, &frmSetup::AddClick);
    connect(cmdEdit, &QPushButton::clicked, this, &frmSetup::EditClick);
    connect(cmdRemove, &QPushButton::clicked, this, &frmSetup::RemoveClick);
    connect(cmdClearDirs, &QPushButton::clicked, this, &frmSetup::ClearDirsClick);
}

void frmSetup::PopDirectories() {
    RefillList(lstDirectories, DirectoryRows());
    DoEnableDirs();
}

void frmSetup::DoEnableDirs() {
    const bool selected = lstDirectories->currentRow() >= 0;
    cmdEdit->setEnabled(selected);
    cmdRemove->setEnabled(selected);
}

void frmSetup::AddClick() {
    clsDirectory entry;
    entry.Patterns = QStringLiteral("*.*");
    entry.IncludeSubdirs = true;
    GetAdvancedDirectory(entry);
    if (ValidateDir(entry, -1))
        PopDirectories();
}

void frmSetup::EditClick() {
    const int row = lstDirectories->currentRow();
    if (row < 0 || row > TheModel().DirectoriesLast())
        return;
    // The clone is edited, so a refused edit leaves the entry as it was.
    clsDirectory clone = TheModel().Directories[row].Clone();
    GetAdvancedDirectory(clone);
    if (ValidateDir(clone, row))
        PopDirectories();
}

void frmSetup::RemoveClick() {
    const int row = lstDirectories->currentRow();
    if (row < 0)
        return;
    RemoveDirectoryEntry(row);
    PopDirectories();
}

void frmSetup::ClearDirsClick() {
    if (MsgBox(QStringLiteral("Really clear directories?"), MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    TheModel().Directories.clear();
    PopDirectories();
}
