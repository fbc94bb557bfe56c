#pragma once
// What the finished step of the restore wizard shows, as lines on standard output.

#include "restorerun.h"

// The substituted files (with the notes on shortened destinations), the unrestored files, and
// whether the program files came back when they were asked for.
void PrintRestoreReport(const RestoreResult &result, bool withProgram);
