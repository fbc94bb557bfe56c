#pragma once

#include "commandline.h"

// pellmoor export SRC DEST [--format N]
int RunExport(const CommandLine &line);
