#pragma once

#include "commandline.h"

// pellmoor backup [--ini FILE] [options]
int RunBackup(const CommandLine &line);
