#pragma once
// What the window benchmarks share: waiting until a window has done what its timers deferred.

#include <QApplication>
#include <QTimer>
#include <QWidget>

// Runs events until no timer of the window is pending, then once more so that the page paints.
inline void WaitUntilShown(QWidget &window) {
    const auto busy = [&window] {
        for (QTimer *timer : window.findChildren<QTimer *>())
            if (timer->isActive())
                return true;
        return false;
    };
    while (busy())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QApplication::processEvents();
}
