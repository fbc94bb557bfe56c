#include "alertqueue.h"

namespace {

constexpr double SecondsPerDay = 86400.0;

} // namespace

void AlertQueue::RebaseAfterMidnight(double now) {
    // Expiry times count from the midnight before they were queued; once the clock wraps they
    // move back one whole day, so that a lifetime stays a lifetime however long checks paused.
    if (lastEndCheck > now) {
        for (QueuedAlert &alert : entries)
            alert.ends -= SecondsPerDay;
    }
    lastEndCheck = now;
}

void AlertQueue::Add(const QString &text, double minutes, double now) {
    RebaseAfterMidnight(now);
    entries.append({text, now + minutes * 60.0});
}

void AlertQueue::Sort() {
    for (int i = 0; i < Last(); ++i) {
        int earliest = i;
        for (int j = i + 1; j <= Last(); ++j) {
            if (entries[j].ends < entries[earliest].ends)
                earliest = j;
        }
        if (earliest != i)
            entries.swapItemsAt(i, earliest);
    }
}

void AlertQueue::Remove(int index) {
    if (index >= 0 && index <= Last())
        entries.removeAt(index);
}

AlertQueue::Expiry AlertQueue::CheckEnds(double now) {
    RebaseAfterMidnight(now);
    Expiry result;
    // From the back, so that removing one never skips the next.
    for (int i = Last(); i >= 1; --i) {
        if (entries[i].ends < now) {
            Remove(i);
            ++result.dropped;
        }
    }
    result.headExpired = !entries.isEmpty() && entries[0].ends < now;
    return result;
}
