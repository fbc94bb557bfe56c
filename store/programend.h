#pragma once
// A few failures end the program after their message. Tests replace the ending so that they
// can see it happen.

#include <functional>

void EndProgram(int exitCode);
// nullptr restores the default (leave the process at once).
void SetProgramEndHandler(std::function<void(int)> handler);
