#pragma once
// The questions behind the backup window's Stop, Pause and Cancel buttons. The window calls
// them from its buttons; NextMedia calls them between media. Their only effects on a run are
// the cancel flag and the BackupControl.

struct BackupControl;
class BackupView;

// Asks whether to stop. Returns true when a stop was accepted (the button is then disabled and
// captioned "Stopping...").
bool AskStop(BackupControl &control, BackupView &view);

// "Really cancel?"; Yes sets the cancel flag and tells the run's running zip to stop. Returns true
// when the run is now cancelled.
bool AskCancel(const BackupControl &control);

// Holds the run in the "Paused!" box until the user continues or cancels.
void AskPause(const BackupControl &control);
