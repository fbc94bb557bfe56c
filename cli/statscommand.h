#pragma once
// pellmoor stats: the statistics the diagnostics window works out.

#include "commandline.h"

int RunStats(const CommandLine &line);
