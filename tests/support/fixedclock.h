#pragma once
// A clock that stands still until a test moves it. Installs itself; the destructor restores the
// system clock.

#include "clock.h"

class FixedClock : public ClockSource {
public:
    explicit FixedClock(const QDateTime &start);
    ~FixedClock() override;

    QDateTime Now() const override { return now; }
    void Set(const QDateTime &value) { now = value; }
    void AdvanceSeconds(qint64 seconds) { now = now.addSecs(seconds); }
    void AdvanceMilliseconds(qint64 ms) { now = now.addMSecs(ms); }

private:
    QDateTime now;
};
