#include "cancelflag.h"

#include <atomic>

namespace {
// Copies on another thread watch it too.
std::atomic<bool> cancelFlag = false;
} // namespace

void SetCancelFlag(bool value) {
    cancelFlag.store(value, std::memory_order_relaxed);
}

bool CancelFlag() {
    return cancelFlag.load(std::memory_order_relaxed);
}
