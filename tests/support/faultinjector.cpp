#include "faultinjector.h"

FaultInjector::FaultInjector() {
    platform::SetFaultHook(&FaultInjector::Hook, this);
}

FaultInjector::~FaultInjector() {
    platform::SetFaultHook(nullptr, nullptr);
}

void FaultInjector::FailAt(Point point, int nth, int error, bool andAfter) {
    std::lock_guard lock(mutex);
    Slot &slot = counters[Index(point)];
    slot.failAt = slot.calls + nth;
    slot.error = error;
    slot.andAfter = andAfter;
    slot.fired = false;
}

int FaultInjector::Calls(Point point) const {
    std::lock_guard lock(mutex);
    return counters[Index(point)].calls;
}

bool FaultInjector::Fired(Point point) const {
    std::lock_guard lock(mutex);
    return counters[Index(point)].fired;
}

void FaultInjector::Reset() {
    std::lock_guard lock(mutex);
    counters = {};
}

int FaultInjector::Hook(Point point, void *context) {
    auto *self = static_cast<FaultInjector *>(context);
    std::lock_guard lock(self->mutex);
    Slot &slot = self->counters[Index(point)];
    ++slot.calls;
    const bool due = slot.failAt > 0 &&
                     (slot.calls == slot.failAt || (slot.andAfter && slot.calls > slot.failAt));
    if (!due)
        return 0;
    slot.fired = true;
    return slot.error;
}
