#include "cancelflag.h"

namespace {
bool cancelFlag = false;
}

void SetCancelFlag(bool value) {
    cancelFlag = value;
}

bool CancelFlag() {
    return cancelFlag;
}
