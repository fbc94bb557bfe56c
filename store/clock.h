#pragma once
// "Now", "today" and the seconds since midnight come from one replaceable clock, so that tests
// make dates and times inputs.

#include <QDate>
#include <QDateTime>

class ClockSource {
public:
    virtual ~ClockSource() = default;
    virtual QDateTime Now() const = 0;
};

// nullptr restores the system clock.
void SetClockSource(const ClockSource *source);

QDateTime Now();
QDate Today();
// Seconds since midnight, with fractions, as a timer would give them.
double SecondsSinceMidnight();
// Milliseconds on a steady clock, for "at most every 0.5 seconds" decisions. Follows the
// replaceable clock when one is installed.
qint64 SteadyMilliseconds();
