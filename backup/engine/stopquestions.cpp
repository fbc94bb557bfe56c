#include "stopquestions.h"

#include "backupview.h"
#include "cancelconfirm.h"
#include "cancelflag.h"
#include "copyfile.h"
#include "prompt.h"
#include "statuslog.h"
#include "zipper.h"

bool AskStop(BackupControl &control, BackupView &view) {
    QString text = QStringLiteral("This will make the backup stop now as if the files currently\n"
                                  "backed up were the only ones to be backed up.\n");
    MsgAnswer answer;
    if (control.stopFlag) {
        text += QStringLiteral("Stop the backup now?");
        answer = MsgBox(Question::StopBackup, text, MsgButtons::YesNo);
        if (answer == MsgAnswer::No)
            return false;
    } else {
        text += QStringLiteral("Would you like to stop the backup?\n\n"
                               "Press Yes to stop the backup now,\n"
                               "No to stop the backup at the end of the next full media\n"
                               "or Cancel to not stop the backup.");
        answer = MsgBox(Question::StopBackup, text, MsgButtons::YesNoCancel);
        if (answer == MsgAnswer::Cancel)
            return false;
    }
    control.stopNow = answer == MsgAnswer::Yes;
    control.stopButtonEnabled = false;
    view.SetStopButton(false, QStringLiteral("Stopping..."));
    return true;
}

bool AskCancel(const BackupControl &control) {
    StatusPrint(QStringLiteral("Backup - cmdCancel_Click"));
    if (!ConfirmCancel())
        return CancelFlag();
    if (control.zipper)
        control.zipper->Abort();
    return true;
}

void AskPause(const BackupControl &control) {
    // Zips and copies made ahead wait with the run.
    const auto hold = [&control](bool held) {
        if (control.zipper)
            control.zipper->Hold(held);
        if (control.copies)
            control.copies->Set(held);
    };
    hold(true);
    struct Release {
        const decltype(hold) &release;
        ~Release() { release(false); }
    } release{hold};
    while (!CancelFlag()) {
        const MsgAnswer answer = MsgBox(Question::Paused,
                                        QStringLiteral("Paused!\nPress OK to continue.\n"
                                                       "Press Cancel to cancel."),
                                        MsgButtons::OKCancel);
        if (answer == MsgAnswer::OK)
            return;
        AskCancel(control);
    }
}
