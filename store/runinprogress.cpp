#include "runinprogress.h"

namespace {
int runs = 0;
}

RunInProgress::RunInProgress() {
    ++runs;
}

RunInProgress::~RunInProgress() {
    --runs;
}

bool AnyRunInProgress() {
    return runs > 0;
}
