#pragma once
// What `pellmoor restore` was asked to do, read from its command line before anything is loaded.

#include "commandline.h"

#include <QString>

struct RestoreRequest {
    QString from;         // --from DIR, absolute, ending in the separator
    bool current = false; // --current: the program's own information file
    QString restoreTo;    // --to DIR, absolute, ending in the separator
    int type = 1;         // --type, a RestoreType
    QString files;        // --files, the pattern list of type 3
    bool flat = false;    // --flat: no directory structure
    bool withProgram = false;
    bool skipMissing = false;
    bool quiet = false;
};

// Fills request from the command line. Returns an empty text, or what is wrong with the words.
QString ParseRestoreRequest(const CommandLine &line, RestoreRequest &request);
