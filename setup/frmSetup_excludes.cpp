// The "Directories To Exclude" tab.
#include "frmSetup.h"

#include "dirlists.h"
#include "listrefill.h"
#include "model.h"
#include "prompt.h"
#include "selectors.h"

#include <QListWidget>
#include <QPushButton>

void frmSetup::ConnectExcludes() {
    connect(lstExclude, &QListWidget::itemSelectionChanged, this, &frmSetup::DoEnableDirsEx);
    connect(cmdAddEx, &QPushButton::clicked, this, &frmSetup::AddExClick);
    connect(cmdEditEx, &QPushButton::clicked, this, &frmSetup::EditExClick);
    connect(cmdRemoveEx, &QPushButton::clicked, this, &frmSetup::RemoveExClick);
    connect(cmdCLearDirsEx, &QPushButton::clicked, this, &frmSetup::ClearDirsExClick);
}

void frmSetup::PopExcludes() {
    RefillList(lstExclude, ExcludeRows());
    DoEnableDirsEx();
}

void frmSetup::DoEnableDirsEx() {
    const bool selected = lstExclude->currentRow() >= 0;
    cmdEditEx->setEnabled(selected);
    cmdRemoveEx->setEnabled(selected);
}

void frmSetup::AddExClick() {
    if (ValidateDirEx(GetDirectory(QString()), -1))
        PopExcludes();
}

void frmSetup::EditExClick() {
    const int row = lstExclude->currentRow();
    if (row < 0 || row > TheModel().ExcludesLast())
        return;
    if (ValidateDirEx(GetDirectory(TheModel().Excludes[row]), row))
        PopExcludes();
}

void frmSetup::RemoveExClick() {
    const int row = lstExclude->currentRow();
    if (row < 0)
        return;
    RemoveDirectoryEx(row);
    PopExcludes();
}

void frmSetup::ClearDirsExClick() {
    if (MsgBox(QStringLiteral("Really clear directories?"), MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    TheModel().Excludes.clear();
    PopExcludes();
}
