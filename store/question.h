#pragma once
// The questions the engines ask, by name. A caller that cannot read a question's text the way a
// person does (the command line, a test) answers by these names instead; a message with only an
// OK button needs no name.

enum class Question {
    Unnamed, // a message, or a question nobody answers by name

    // Backup: between media, and the Stop, Pause and Cancel buttons.
    MediumWritten,       // "Was this media written sucessfully?" (Yes, No, Cancel)
    MustCancel,          // "Cancel the backup now?" after a first medium failed (Yes, No)
    MustStop,            // "Stop the backup now?" after a later medium failed (Yes, No, Cancel)
    StopBackup,          // the Stop button's question (Yes, No[, Cancel])
    Paused,              // "Paused!" (OK continues, Cancel cancels)
    DirectoryNotCleared, // the backup folder still holds files (OK tests again, Cancel cancels)
    PathTooLong,         // no usable path on the medium for a file (OK skips it, Cancel cancels)

    // Backup and restore: "Really cancel?" (Yes, No).
    ReallyCancel,

    // Restore: a medium that cannot be found.
    MediaNotFound,         // "Retry automatic search?" (Yes, No[, Cancel])
    LookForMediaDirectory, // "Would you like to look for the directory ...?" (Yes, No, Cancel)
    SkipMedium,            // "Do you need to skip backup media number n?" (Yes, No, Cancel)
    MediumUnavailable,     // "... be set to permanently unavailable?" (Yes, No, Cancel)

    // Shared utilities.
    AbortOperation,      // "Abort current operation?" after a failed copy (Yes, No)
    OverwriteFile,       // "Overwrite ...?" while unzipping (Yes, No, Cancel)
    UseSuggestedPattern, // "Use this pattern?" for a pattern that had to be corrected (Yes, No)

    // Folders that do not exist: never made without a word.
    MakeDirectory,    // "The directory ... does not exist. Create it?" (Yes, No)
    MakeBackupFolder, // "The backup folder ... does not exist. ... Create it?" (Yes, No)
};
