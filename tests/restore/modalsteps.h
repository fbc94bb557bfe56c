#pragma once
// Drives a modal window from inside its own event loop: the steps run once the window is up,
// and whatever they leave open is cancelled, so a failed check never leaves the test waiting.

#include <QDialog>
#include <QTimer>

#include <functional>

inline void WhenShown(QDialog &window, std::function<void()> steps) {
    QTimer::singleShot(0, &window, [&window, steps = std::move(steps)] {
        steps();
        if (window.isVisible())
            window.reject();
    });
}
