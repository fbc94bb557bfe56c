// Steps 5 and 6: the restore run through the engine, Pause, and the finished lists.
#include "frmRestore.h"

#include "RestoreFrameView.h"
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
    connect(tmrTimer, &QTimer::timeout, this, &frmRestore::TickTime);
    connect(tmrUnzip, &QTimer::timeout, this, &frmRestore::TickUnzip);
    connect(cmdPause, &QPushButton::clicked, this, &frmRestore::PauseClick);
}

void frmRestore::DoRestore() {
    tmrDoRestore->stop();
    if (running)
        return;
    running = true;
    RestoreFrameView view(*this);
    const RestoreOptions options{restoreTo, chkDirStruct->isChecked(), chkIni->isChecked()};
    const RestoreResult result = [&] {
        const RunInProgress inProgress;
        return RestoreRun(model, selection, drives, loadedDirectory, options, view).DoRestore();
    }();
    running = false;
    if (result.cancelled) {
        HideForm();
        return;
    }
    ShowResult(result);
    if (view.finished) {
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

void frmRestore::TickTime() {
    if (elapsed.isValid())
        lblTime->setText(FormatDuration(qint32(elapsed.elapsed() / 1000), true));
}

void frmRestore::TickUnzip() {
    unzipSlash = !unzipSlash;
    lblCopied->setText(unzipSlash ? QStringLiteral("Unzipping /") : QStringLiteral("Unzipping \\"));
}
