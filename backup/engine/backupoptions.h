#pragma once
// What the backup wizard hands a run: the write method and the check boxes of step 4. The
// directories of the run are the model's Directories with Selected set.

#include "model.h"

#include <QList>

enum class WriteMethod { OneByOne, AllAtOnce, XpWay };

// The method the settings choose. "XP Way" wins over "All At Once", as the wizard stores them.
inline WriteMethod WriteMethodOf(bool writeAllAtOnce, bool writeXpWay) {
    if (writeXpWay)
        return WriteMethod::XpWay;
    return writeAllAtOnce ? WriteMethod::AllAtOnce : WriteMethod::OneByOne;
}

// A medium without a limit is written all at once whatever method was saved: it is one directory
// beside the earlier backups, never a disc to change, and the XP way would ask to clear the
// directory that holds them.
inline WriteMethod WriteMethodOf(const SettingsRecord &settings) {
    if (settings.MediaSize < 0)
        return WriteMethod::AllAtOnce;
    return WriteMethodOf(settings.WriteAllAtOnce, settings.WriteXpWay);
}

struct BackupOptions {
    bool chkZip = false;      // zip each file
    bool chkDontZip = false;  // leave the extensions of the no-zip list unzipped
    bool chkForceZip = false; // keep zipping on for files under 1 kilobyte
    bool chkFresh = false;    // every file gets a new copy (fresh backup point)
    bool chkSkip = false;     // records only: no zipping, no data copied
    // The caller ends without looking at the model again after a cancelled run (the command
    // line), so the run need not load the information file again to forget itself.
    bool modelUnusedAfterCancel = false;
    // Indexes into IncludeAll of the include-all patterns chosen for this run.
    QList<int> SelectedPatterns;
};
