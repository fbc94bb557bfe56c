#include "programend.h"

#include <cstdlib>

namespace {
std::function<void(int)> endHandler;
}

void EndProgram(int exitCode) {
    if (endHandler)
        endHandler(exitCode);
    else
        std::exit(exitCode);
}

void SetProgramEndHandler(std::function<void(int)> handler) {
    endHandler = std::move(handler);
}
