// The questions between two media.

#include "mediumwriter.h"

#include "cancelflag.h"
#include "fileops.h"
#include "model.h"
#include "prompt.h"
#include "stopquestions.h"

namespace {

QString WrittenQuestion(int mediumNumber, bool lastMedium) {
    QString text = QStringLiteral("Please write the files to the media now.\n"
                                  "Then, remove the current media and label it \"Media") +
                   QString::number(mediumNumber) + QStringLiteral("\".\n");
    if (!lastMedium)
        text += QStringLiteral("Then, insert the next media into the drive.");
    return text + QStringLiteral("\nWas this media written sucessfully?\n");
}

} // namespace

// Returns whether the medium was accepted; false when the run is cancelled or stopped.
bool MediumWriter::AskMediumWritten(bool canStop, bool lastMedium) {
    const QString question = WrittenQuestion(model.MediaLast() + 1, lastMedium);
    while (true) {
        const MsgAnswer answer = MsgBox(Question::MediumWritten, question, MsgButtons::YesNoCancel);
        if (answer == MsgAnswer::Yes)
            return true;
        if (answer == MsgAnswer::Cancel) {
            if (AskCancel(control))
                return false;
            continue;
        }
        if (!canStop) {
            if (MsgBox(Question::MustCancel,
                       QStringLiteral("The backup must now be cancelled.\nCancel the backup now?"),
                       MsgButtons::YesNo) == MsgAnswer::Yes) {
                SetCancelFlag(true);
                return false;
            }
            continue;
        }
        control.stopFlag = true;
        while (control.stopFlag) {
            const MsgAnswer stop = MsgBox(
                Question::MustStop,
                QStringLiteral("The backup must now be stopped (at the end of the last media that "
                               "completed successfully) or cancelled.\nStop the backup now?"),
                MsgButtons::YesNoCancel);
            if (stop == MsgAnswer::Yes) {
                AskStop(control, view);
                if (control.StopAccepted())
                    return false;
            } else if (stop == MsgAnswer::Cancel) {
                if (AskCancel(control))
                    return false;
            } else {
                control.stopFlag = false;
            }
        }
    }
}

bool MediumWriter::DirectoryCleared(const QString &dir) {
    while (!IsDirEmpty(dir)) {
        const MsgAnswer answer = MsgBox(
            Question::DirectoryNotCleared,
            QStringLiteral("The directory for this backup(\"") + dir +
                QStringLiteral("\") has not been cleared!\n"
                               "To continue, the directory must be cleared.\n"
                               "Please clear the directory now.\n"
                               "Press Ok when the directory has been cleared or Cancel to cancel "
                               "this backup."),
            MsgButtons::OKCancel);
        if (answer == MsgAnswer::Cancel) {
            if (AskCancel(control))
                return false;
            continue;
        }
        if (!DirExists(dir))
            MakeDirectoryKeepingCancel(dir);
    }
    return true;
}

bool MediumWriter::NextMedia(const QString &dir, bool noPrompt, bool canStop, bool lastMedium) {
    if (!noPrompt && !AskMediumWritten(canStop, lastMedium))
        return false;
    if (noPrompt || method == WriteMethod::XpWay)
        return DirectoryCleared(dir);
    return true;
}
