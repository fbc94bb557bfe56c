#pragma once
// The commands that work on the program's own information file take --ini FILE to name another.

#include "commandline.h"

#include <functional>

// Points the program's information file at --ini FILE when given and loads it into the model.
// A missing or damaged file is reported by the loader, never created. Returns whether it loaded.
bool LoadProgramIniFile(const CommandLine &line);

// A command that only reads the history (details, stats): no plain arguments, the file loaded
// with messages on standard error, then report prints from the model. Returns the exit status.
int ReportOnProgramIniFile(const CommandLine &line, const QString &command,
                           const std::function<void()> &report);
