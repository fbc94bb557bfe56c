#include "doevents.h"

#include "clock.h"

#include <QCoreApplication>

void DoEvents() {
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

bool EventPacer::Due() {
    const qint64 now = SteadyMilliseconds();
    if (now < next && ++calls < 256)
        return false;
    next = now + 50;
    calls = 0;
    return true;
}
