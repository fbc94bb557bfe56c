#pragma once
// How `pellmoor restore` answers the restore's questions when nobody sits at the terminal.

#include "cliprompt.h"

// A medium that cannot be found is skipped (for this run only) with skipMissing; otherwise the
// run is cancelled at once. A failed copy does not abandon the other files.
CliPrompt::Decider RestoreAnswers(bool skipMissing);
