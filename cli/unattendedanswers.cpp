#include "unattendedanswers.h"

namespace {

MsgAnswer Answer(Question name, MsgButtons buttons, bool skipMissing) {
    switch (name) {
    case Question::Unnamed:
        return CautiousAnswer(buttons);
    // Each medium counts as written; were one refused, the run stops after the earlier media.
    case Question::MediumWritten:
    case Question::MustCancel:
    case Question::MustStop:
    case Question::StopBackup:
        return MsgAnswer::Yes;
    case Question::Paused:
        return MsgAnswer::OK;
    // Nobody can clear the folder; its files stay as they are and the run is cancelled.
    case Question::DirectoryNotCleared:
        return MsgAnswer::Cancel;
    // The file is left out and reported; the others are still backed up.
    case Question::PathTooLong:
        return MsgAnswer::OK;
    case Question::ReallyCancel:
        return MsgAnswer::Yes;
    // Searching again would find nothing new, and nobody can insert a disc or point at a
    // folder: the dialogue goes straight to skipping or to cancelling.
    case Question::MediaNotFound:
        if (buttons != MsgButtons::YesNoCancel)
            return MsgAnswer::No;
        return skipMissing ? MsgAnswer::No : MsgAnswer::Cancel;
    case Question::LookForMediaDirectory:
        return MsgAnswer::No;
    case Question::SkipMedium:
        return MsgAnswer::Yes;
    // For this run only: a restore never saves the information file anyway.
    case Question::MediumUnavailable:
        return MsgAnswer::No;
    // One unreadable file does not abandon the others.
    case Question::AbortOperation:
        return MsgAnswer::No;
    // What is there already stays, for this file and every later one.
    case Question::OverwriteFile:
        return MsgAnswer::Cancel;
    case Question::UseSuggestedPattern:
        return MsgAnswer::No;
    // A missing folder may be on a disk that is not connected; the backup command makes it
    // only when told to (--create-folder).
    case Question::MakeDirectory:
    case Question::MakeBackupFolder:
        return MsgAnswer::No;
    }
    return CautiousAnswer(buttons);
}

} // namespace

CliPrompt::Decider UnattendedAnswers(bool skipMissing) {
    return [skipMissing](Question name, MsgButtons buttons) {
        return Answer(name, buttons, skipMissing);
    };
}
