#pragma once
// pellmoor details: the history the details window browses, as plain text.

#include "commandline.h"

int RunDetails(const CommandLine &line);
