#include "endinganswers.h"

MsgAnswer EndingAnswer(Question name, MsgButtons buttons) {
    switch (name) {
    case Question::Unnamed:
        return CautiousAnswer(buttons);
    // Nobody saw the last medium: it is not counted, and the run stops after the earlier ones
    // (or is cancelled when it was the first).
    case Question::MediumWritten:
        return MsgAnswer::No;
    case Question::MustCancel:
    case Question::MustStop:
    case Question::StopBackup:
    case Question::ReallyCancel:
    case Question::AbortOperation:
        return MsgAnswer::Yes;
    case Question::Paused:
    case Question::DirectoryNotCleared:
    case Question::PathTooLong:
    case Question::LookForMediaDirectory:
    case Question::SkipMedium:
    case Question::MediumUnavailable:
    case Question::OverwriteFile:
    case Question::MediaNotFound:
    case Question::UseSuggestedPattern:
    case Question::MakeDirectory:
    case Question::MakeBackupFolder:
        return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Cancel;
    }
    return CautiousAnswer(buttons);
}
