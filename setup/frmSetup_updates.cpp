// The "Updates (Program && Info File)" tab: the updater's rollback and the information file as a
// whole.
#include "frmSetup.h"

#include "settingsfile.h"

#include <QPushButton>

void frmSetup::ConnectUpdates() {
    connect(cmdExportIni, &QPushButton::clicked, this, [] { ExportSettings(); });
    connect(cmdImportINI, &QPushButton::clicked, this, &frmSetup::ImportClick);
    connect(cmdReset, &QPushButton::clicked, this, &frmSetup::ResetClick);
    connect(cmdRollback, &QPushButton::clicked, this, [] { RollbackUpdate(); });
}

void frmSetup::ImportClick() {
    // What was imported is what Cancel comes back to.
    if (ImportSettings())
        PopForm();
}

void frmSetup::ResetClick() {
    if (ResetHistory())
        PopForm();
}
