// Steps 5 and 6: the restore run through the engine, Pause, and the finished lists.
#include "frmRestore.h"

#include "RestoreFilesStep.h"
#include "RestoreProgress.h"
#include "cancelflag.h"
#include "prompt.h"
#include "runinprogress.h"
#include "textutil.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

void frmRestore::ConnectRunEvents() {
    connect(tmrDoRestore, &QTimer::timeout, this, &frmRestore::DoRestore);
    connect(progress->PauseButton(), &QPushButton::clicked, this, &frmRestore::PauseClick);
}

void frmRestore::DoRestore() {
    tmrDoRestore->stop();
    if (running)
        return;
    running = true;
    cmdNext->setEnabled(false);
    const RestoreOptions options{restoreTo, files->KeepStructure(), files->WithProgram()};
    const RestoreResult result = [&] {
        const RunInProgress inProgress;
        return RestoreRun(model, selection, drives, loadedDirectory, options, *progress)
            .DoRestore();
    }();
    running = false;
    if (result.cancelled) {
        HideForm();
        return;
    }
    ShowResult(result);
    if (progress->ReachedFinish()) {
        stage = FinishedStage;
        ShowStage();
    }
}

void frmRestore::ShowResult(const RestoreResult &result) {
    lstUnrestore->clear();
    lstUnrestore->addItems(result.unrestored);
    lblUnrestored->setText(result.unrestoredLabel);
    lstSubs->clear();
    lstSubs->addItems(result.substituted);
    // Where a destination had to be shortened is worth knowing beside the substitutions.
    lstSubs->addItems(result.shortened);
    lblSubs->setText(result.substitutedLabel);
    lblSummary->setText(RestoreSummaryLine(result));
}

void frmRestore::SetLast() {
    cmdNext->setText(QStringLiteral("Finish"));
    nextEnabled = true;
    backEnabled = false;
    cmdCancel->setEnabled(false);
}

void frmRestore::PauseClick() {
    for (;;) {
        const MsgAnswer answer =
            MsgBox(Question::Paused,
                   QStringLiteral("Paused!\nPress OK to continue.\nPress Cancel to cancel."),
                   MsgButtons::OKCancel);
        if (answer != MsgAnswer::Cancel)
            return;
        CancelClick();
        if (CancelFlag())
            return;
    }
}
