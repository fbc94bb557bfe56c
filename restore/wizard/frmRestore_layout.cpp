// The restore window's frame, its wizard buttons and the controls of the steps it keeps itself;
// the file step and the running step build their own.
#include "frmRestore.h"

#include "PathLabel.h"
#include "RestoreFilesStep.h"
#include "RestoreProgress.h"
#include "restorewidgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr const char *StageCaptions[frmRestore::StageCount] = {
    "Step 1 : Choose Restore From Directory", "Step 2 : Choose Restore Type",
    "Step 3 : Choose Files To Restore",       "Step 4 : Choose Restore To Directory",
    "Step 5 : Watch Files Being Restored",    "Step 6 : Finished",
};

constexpr const char *RestoreTypeCaptions[4] = {
    "Restore All Files (Using Latest Backups) And The Program With Information Files",
    "Restore All Files Using Latest Backup",
    "Restore The Program With Information Files Only",
    "Choose Which Files To Restore And Whether To Restore The Program With Information Files",
};

} // namespace

void frmRestore::BuildLayout() {
    setObjectName(QStringLiteral("frmRestore"));
    setWindowTitle(QStringLiteral("Restore"));
    auto *outer = new QVBoxLayout(this);
    using Builder = QWidget *(frmRestore::*)();
    const Builder builders[StageCount] = {
        &frmRestore::BuildFromFrame, &frmRestore::BuildTypeFrame, &frmRestore::BuildFilesFrame,
        &frmRestore::BuildToFrame,   &frmRestore::BuildRunFrame,  &frmRestore::BuildFinishedFrame,
    };
    for (int i = 0; i < StageCount; ++i) {
        fraRestore[i] = Named(new QGroupBox(QString::fromLatin1(StageCaptions[i]), this),
                              QStringLiteral("fraRestore") + QString::number(i));
        auto *inside = new QVBoxLayout(fraRestore[i]);
        inside->addWidget((this->*builders[i])());
        outer->addWidget(fraRestore[i], 1);
        fraRestore[i]->hide();
    }
    cmdHelp = Button(this, "cmdHelp", "Help");
    cmdBack = Button(this, "cmdBack", "Back");
    cmdNext = Button(this, "cmdNext", "Next");
    cmdCancel = Button(this, "cmdCancel", "Cancel");
    // Enter moves on, as Next and Finish do.
    cmdNext->setDefault(true);
    // Progress while the lists are built shows here, since that happens as step 1 is left.
    lblMessages = Named(new QLabel(this), "lblMessages");
    lblMessages->hide();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdHelp);
    buttons->addWidget(lblMessages, 1);
    buttons->addStretch(1);
    buttons->addWidget(cmdBack);
    buttons->addWidget(cmdNext);
    buttons->addWidget(cmdCancel);
    outer->addLayout(buttons);
    tmrDoRestore = NamedTimer(this, "tmrDoRestore", 0, true);
}

QWidget *frmRestore::BuildFromFrame() {
    auto *frame = new QWidget(this);
    lblRestDirCap = Named(
        new QLabel(QStringLiteral("The 'Restore From' directory is where the backup to restore "
                                  "from is: the most recent backup medium (a CD or DVD drive, or a "
                                  "medium directory on a hard drive). Its information file lists "
                                  "every file of every backup made so far."),
                   frame),
        "lblRestDirCap");
    lblRestDirCap->setWordWrap(true);
    lblRestDir = Named(new PathLabel(frame), "lblRestDir");
    lblNotRestDir =
        Named(new QLabel(QString::fromLatin1(NotRestoreDirText), frame), "lblNotRestDir");
    lblNotRestDir->setWordWrap(true);
    cmdAutoSearch = Button(frame, "cmdAutoSearch", "Auto Search For 'Restore From' Directory");
    cmdFind = Button(frame, "cmdFind", "Change 'Restore From' Directory");
    chkCurrent = Named(new QCheckBox(QStringLiteral("Use The Current Information File"), frame),
                       "chkCurrent");
    auto *layout = new QVBoxLayout(frame);
    layout->addWidget(lblRestDirCap);
    layout->addWidget(lblRestDir);
    layout->addWidget(lblNotRestDir);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdAutoSearch);
    buttons->addWidget(cmdFind);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    layout->addWidget(chkCurrent);
    layout->addStretch(1);
    return frame;
}

QWidget *frmRestore::BuildTypeFrame() {
    auto *frame = new QWidget(this);
    auto *layout = new QVBoxLayout(frame);
    for (int i = 0; i < 4; ++i) {
        optRestType[i] = Named(new QRadioButton(QString::fromLatin1(RestoreTypeCaptions[i]), frame),
                               QStringLiteral("optRestType") + QString::number(i));
        layout->addWidget(optRestType[i]);
    }
    optRestType[RestoreChosen]->setChecked(true);
    layout->addStretch(1);
    return frame;
}

QWidget *frmRestore::BuildToFrame() {
    auto *frame = new QWidget(this);
    lblRestore = Named(new PathLabel(frame), "lblRestore");
    lblWarning =
        Named(new QLabel(QString::fromLatin1(RestoreToNotEmptyWarning), frame), "lblWarning");
    lblWarning->setWordWrap(true);
    cmdChangeRestore = Button(frame, "cmdChangeRestore", "Change Restore To Directory");
    cmdCheck = Button(frame, "cmdCheck", "Check If The Directory Is Empty");
    auto *layout = new QVBoxLayout(frame);
    layout->addWidget(Caption(frame, "The files will be restored into this 'Restore To' "
                                     "directory, which must be empty :"));
    layout->addWidget(lblRestore);
    layout->addWidget(lblWarning);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdChangeRestore);
    buttons->addWidget(cmdCheck);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    layout->addStretch(1);
    return frame;
}

QWidget *frmRestore::BuildFilesFrame() {
    files = new RestoreFilesStep(model, selection, this);
    return files;
}

QWidget *frmRestore::BuildRunFrame() {
    progress = new RestoreProgress(this);
    return progress;
}

QWidget *frmRestore::BuildFinishedFrame() {
    auto *frame = new QWidget(this);
    lblFinished = Named(new QLabel(QStringLiteral("Restore Finished!"), frame), "lblFinished");
    lstSubs = Named(new QListWidget(frame), "lstSubs");
    lstUnrestore = Named(new QListWidget(frame), "lstUnrestore");
    lblSubs = ValueLabel(frame, "lblSubs");
    lblUnrestored = ValueLabel(frame, "lblUnrestored");
    // How many files went where, beside the words that it finished.
    lblSummary = Named(new QLabel(frame), "lblSummary");
    lblSummary->setWordWrap(true);
    lblSummary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *layout = new QGridLayout(frame);
    layout->addWidget(lblFinished, 0, 0, 1, 2);
    layout->addWidget(lblSummary, 1, 0, 1, 2);
    layout->addWidget(Caption(frame, "Substituted Files :"), 2, 0);
    layout->addWidget(lblSubs, 2, 1);
    layout->addWidget(lstSubs, 3, 0, 1, 2);
    layout->addWidget(Caption(frame, "Unrestored Files :"), 4, 0);
    layout->addWidget(lblUnrestored, 4, 1);
    layout->addWidget(lstUnrestore, 5, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    return frame;
}
