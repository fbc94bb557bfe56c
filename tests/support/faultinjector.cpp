#include "faultinjector.h"

FaultInjector::FaultInjector() {
    platform::SetFaultHook(&FaultInjector::Hook, this);
}

FaultInjector::~FaultInjector() {
    platform::SetFaultHook(nullptr, nullptr);
}

void FaultInjector::FailAt(Point point, int nth, int error, bool andAfter) {
    Slot &slot = counters[Index(point)];
    slot.failAt = slot.calls + nth;
    slot.error = error;
    slot.andAfter = andAfter;
    slot.fired = false;
}

void FaultInjector::Reset() {
    counters = {};
}

int FaultInjector::Hook(Point point, void *context) {
    Slot &slot = static_cast<FaultInjector *>(context)->counters[Index(point)];
    ++slot.calls;
    const bool due = slot.failAt > 0 &&
                     (slot.calls == slot.failAt || (slot.andAfter && slot.calls > slot.failAt));
    if (!due)
        return 0;
    slot.fired = true;
    return slot.error;
}
