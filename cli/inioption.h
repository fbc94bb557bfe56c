#pragma once
// The commands that work on the program's own information file take --ini FILE to name another.

#include "commandline.h"

// Points the program's information file at --ini FILE when given and loads it into the model.
// A missing or damaged file is reported by the loader, never created. Returns whether it loaded.
bool LoadProgramIniFile(const CommandLine &line);
