#include "updategate.h"

#include "runinprogress.h"

namespace {
// Often enough that the offer follows the closing window at once, to a person's eye.
constexpr int PollMs = 250;
} // namespace

UpdateGate::UpdateGate(QList<QWidget *> watched) {
    for (QWidget *window : watched)
        windows.append(window);
    poll.setInterval(PollMs);
    connect(&poll, &QTimer::timeout, this, &UpdateGate::Poll);
}

bool UpdateGate::Open() const {
    if (AnyRunInProgress())
        return false;
    for (const QPointer<QWidget> &window : windows) {
        if (window && window->isVisible())
            return false;
    }
    return true;
}

void UpdateGate::WhenOpen(std::function<void()> action) {
    waiting.append(std::move(action));
    // Never from inside the caller: the action may end the program.
    poll.start();
}

void UpdateGate::Poll() {
    if (!Open())
        return;
    poll.stop();
    const QList<std::function<void()>> due = std::exchange(waiting, {});
    for (const std::function<void()> &action : due)
        action();
}

UpdateChecker::HandOffGate UpdateGate::ForChecker() {
    return {[this] { return Open(); },
            [this](std::function<void()> action) { WhenOpen(std::move(action)); }};
}
