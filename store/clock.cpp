#include "clock.h"

#include <QElapsedTimer>

namespace {
const ClockSource *clockSource = nullptr;
}

void SetClockSource(const ClockSource *source) {
    clockSource = source;
}

QDateTime Now() {
    return clockSource ? clockSource->Now() : QDateTime::currentDateTime();
}

QDate Today() {
    return Now().date();
}

double SecondsSinceMidnight() {
    return Now().time().msecsSinceStartOfDay() / 1000.0;
}

qint64 SteadyMilliseconds() {
    if (clockSource)
        return clockSource->Now().toMSecsSinceEpoch();
    static QElapsedTimer timer;
    if (!timer.isValid())
        timer.start();
    return timer.elapsed();
}
