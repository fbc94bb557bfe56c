#pragma once
// Batch files the program writes are run by the system's command interpreter, not executed.

#include <QString>

namespace platform {

// True for a path ending in ".bat" or ".sh" (any letter case).
bool IsBatchFile(const QString &path);

} // namespace platform
