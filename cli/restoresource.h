#pragma once
// Where `pellmoor restore` takes its information file from, and where it looks for media: step 1
// of the restore wizard without its window.

#include "mediasearch.h"
#include "restorerequest.h"

#include <QString>

// Loads the information file to restore from into the model: with --from the one of the most
// recent medium found from that directory, with --current the program's own (or --ini FILE).
// drives gets every place media may be found; loadedDirectory the root the file came from.
// Every refusal is reported; returns whether the model now holds files to restore.
bool LoadRestoreSource(const RestoreRequest &request, const CommandLine &line,
                       PossibleDrives &drives, QString &loadedDirectory);
