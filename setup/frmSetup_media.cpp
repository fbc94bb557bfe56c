// The "Set Available Media" tab.
#include "frmSetup.h"

#include "listrefill.h"
#include "medialists.h"
#include "prompt.h"

#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

void frmSetup::ConnectMedia() {
    connect(lstAvailable, &QListWidget::itemSelectionChanged, this,
            &frmSetup::SetMakeUnAvailableEnabled);
    connect(lstUnavailable, &QListWidget::itemSelectionChanged, this,
            &frmSetup::SetMakeUnAvailableEnabled);
    connect(cmdMakeUnavailable, &QPushButton::clicked, this, &frmSetup::MakeUnavailableClick);
    connect(cmdMakeAvailable, &QPushButton::clicked, this, &frmSetup::MakeAvailableClick);
    connect(cmdDelete, &QPushButton::clicked, this, &frmSetup::DeleteClick);
}

void frmSetup::PopUnAvailable() {
    const MediaRows rows = BuildMediaRows();
    RefillList(lstAvailable, rows.available);
    RefillList(lstUnavailable, rows.unavailable);
    // The deleted list is only looked at: it is filled afresh, never restored.
    lstDeleted->clear();
    lstDeleted->addItems(rows.deleted);
    SetMakeUnAvailableEnabled();
}

void frmSetup::SetMakeUnAvailableEnabled() {
    cmdMakeUnavailable->setEnabled(lstAvailable->currentRow() >= 0);
    const bool unavailable = lstUnavailable->currentRow() >= 0;
    cmdMakeAvailable->setEnabled(unavailable);
    cmdDelete->setEnabled(unavailable);
}

void frmSetup::MakeUnavailableClick() {
    SwapUnAvailable(lstAvailable->currentRow(), true);
    PopUnAvailable();
}

void frmSetup::MakeAvailableClick() {
    SwapUnAvailable(lstUnavailable->currentRow(), false);
    PopUnAvailable();
}

void frmSetup::DeleteClick() {
    const int row = lstUnavailable->currentRow();
    if (row < 0)
        return;
    if (MsgBox(QStringLiteral("Really delete this media?\n"
                              "This operation is permanent and irrevocable."),
               MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    DeleteMedium(row);
    PopUnAvailable();
}
