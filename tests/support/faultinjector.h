#pragma once
// Makes the Nth call at a fault point fail with a chosen errno, and counts the calls, so that a
// test can first learn how many writes a save makes and then fail each of them in turn.
// Installs itself; the destructor removes the hook. Copies made on another thread pass the
// points too, so the counts are kept under a lock.

#include "faultpoint.h"

#include <array>
#include <cerrno>
#include <mutex>

class FaultInjector {
public:
    using Point = platform::FaultPoint;

    FaultInjector();
    ~FaultInjector();
    FaultInjector(const FaultInjector &) = delete;
    FaultInjector &operator=(const FaultInjector &) = delete;

    // The nth call (counted from 1, from now on) at the point fails with error; with
    // andAfter every later call fails too.
    void FailAt(Point point, int nth, int error = ENOSPC, bool andAfter = false);
    // Every call at the point from now on fails.
    void FailAll(Point point, int error = ENOSPC) { FailAt(point, 1, error, true); }
    // Calls seen at the point since the last Reset.
    int Calls(Point point) const;
    // Whether an armed failure was delivered.
    bool Fired(Point point) const;
    // Forgets the counts and disarms every point.
    void Reset();

private:
    struct Slot {
        int calls = 0;
        int failAt = 0;
        int error = 0;
        bool andAfter = false;
        bool fired = false;
    };
    static int Hook(Point point, void *context);
    static int Index(Point point) { return int(point); }

    mutable std::mutex mutex;
    std::array<Slot, int(Point::Count)> counters;
};
