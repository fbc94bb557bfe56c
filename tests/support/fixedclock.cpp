#include "fixedclock.h"

FixedClock::FixedClock(const QDateTime &start) : now(start) {
    SetClockSource(this);
}

FixedClock::~FixedClock() {
    SetClockSource(nullptr);
}
