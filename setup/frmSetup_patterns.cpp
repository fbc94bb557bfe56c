// The "'Include All' Patterns" tab.
#include "frmSetup.h"

#include "includeall.h"
#include "listrefill.h"
#include "model.h"
#include "prompt.h"
#include "selectors.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

void frmSetup::ConnectPatterns() {
    cmbCommon->addItems(CommonGroupNames());
    cmbCommon->setCurrentIndex(0);
    connect(lstPatterns, &QListWidget::itemSelectionChanged, this, &frmSetup::DoEnablePatts);
    connect(cmdAddPatt, &QPushButton::clicked, this, &frmSetup::AddPattClick);
    connect(cmdEditPatt, &QPushButton::clicked, this, &frmSetup::EditPattClick);
    connect(cmdRemovePatt, &QPushButton::clicked, this, &frmSetup::RemovePattClick);
    connect(cmdAddCommon, &QPushButton::clicked, this, &frmSetup::AddCommonClick);
    connect(cmdClearPatts, &QPushButton::clicked, this, &frmSetup::ClearPattsClick);
}

void frmSetup::PopIncludeAll() {
    RefillList(lstPatterns, TheModel().IncludeAll);
    DoEnablePatts();
}

void frmSetup::DoEnablePatts() {
    const bool selected = lstPatterns->currentRow() >= 0;
    cmdEditPatt->setEnabled(selected);
    cmdRemovePatt->setEnabled(selected);
}

void frmSetup::AddPattClick() {
    const QString pattern = GetPattern(QString());
    if (!pattern.isEmpty() && !ExistsExt(pattern))
        AddExt(pattern);
    PopIncludeAll();
}

void frmSetup::EditPattClick() {
    const int row = lstPatterns->currentRow();
    if (row < 0 || row > TheModel().IncludeAllLast())
        return;
    const QString pattern = GetPattern(TheModel().IncludeAll[row]);
    if (!pattern.isEmpty() && !ExistsExt(pattern)) {
        // The edited pattern goes to the end of the list.
        RemoveExt(row);
        AddExt(pattern);
    }
    PopIncludeAll();
}

void frmSetup::RemovePattClick() {
    const int row = lstPatterns->currentRow();
    if (row < 0)
        return;
    RemoveExt(row);
    PopIncludeAll();
}

void frmSetup::AddCommonClick() {
    AddExt(CommonGroupPatterns(cmbCommon->currentIndex()));
    PopIncludeAll();
}

void frmSetup::ClearPattsClick() {
    if (MsgBox(QStringLiteral("Really clear patterns?"), MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    TheModel().IncludeAll.clear();
    PopIncludeAll();
}
