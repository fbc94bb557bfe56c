#pragma once
// pellmoor restore: one unattended restore run, the wizard's choices taken from the command line.

#include "commandline.h"

int RunRestore(const CommandLine &line);
