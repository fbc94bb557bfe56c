// Step 4: the checks before a restore may start, and the empty 'Restore To' directory.
#include "frmRestore.h"

#include "PathLabel.h"
#include "RestoreFilesStep.h"
#include "prompt.h"
#include "selectors.h"
#include "textutil.h"

#include <QPushButton>

void frmRestore::ConnectToEvents() {
    connect(cmdChangeRestore, &QPushButton::clicked, this, &frmRestore::ChangeRestoreClick);
    connect(cmdCheck, &QPushButton::clicked, this, &frmRestore::PopRestore);
}

bool frmRestore::EnterToStage() {
    numberToRestore = selection.NumberToRestore();
    const bool withProgram = files->WithProgram();
    if (!withProgram && numberToRestore < 0) {
        --stage;
        goingBack = true;
        MsgBox(selection.NothingSelectedMessage(false));
        return false;
    }
    if (numberToRestore >= 0 && !files->KeepStructure()) {
        const QString duplicates = selection.DuplicateNamesMessage();
        if (!duplicates.isEmpty()) {
            MsgBox(duplicates);
            --stage;
            goingBack = true;
            return false;
        }
    }
    restoreTo = AddSlashed(LastDirectory());
    PopRestore();
    return true;
}

void frmRestore::PopRestore() {
    lblRestore->SetPath(restoreTo);
    const bool empty = IsRestoreToEmpty(restoreTo);
    lblWarning->setVisible(!empty);
    SetNextEnabled(empty);
}

void frmRestore::ChangeRestoreClick() {
    restoreTo = AddSlashed(GetDirectory(restoreTo));
    PopRestore();
    // A destination the restore can use is the step's choice made: Enter goes on from here.
    if (cmdNext->isEnabled())
        cmdNext->setFocus(Qt::OtherFocusReason);
}
