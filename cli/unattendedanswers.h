#pragma once
// How `pellmoor` answers the engines' questions when nobody sits at the terminal: by their
// names, each so that the run ends or goes on, never so that it is asked again forever.

#include "cliprompt.h"

// skipMissing: a restore skips a medium it cannot find (for this run only) rather than cancel.
CliPrompt::Decider UnattendedAnswers(bool skipMissing = false);
