#include "terminalprogress.h"

#include <QElapsedTimer>

#include <cstdio>
#include <unistd.h>

namespace {
QElapsedTimer &Clock() {
    static QElapsedTimer timer;
    if (!timer.isValid())
        timer.start();
    return timer;
}
} // namespace

TerminalProgress::TerminalProgress(bool enabled) : enabled(enabled) {}

TerminalProgress::~TerminalProgress() {
    Finish();
}

void TerminalProgress::Show(const QString &text) {
    if (!enabled)
        return;
    const qint64 now = Clock().elapsed();
    if (lastShown >= 0 && now - lastShown < 200)
        return;
    lastShown = now;
    QString line = text.left(78);
    std::fprintf(stderr, "\r%-78s", line.toLocal8Bit().constData());
    std::fflush(stderr);
    shown = true;
}

void TerminalProgress::Finish() {
    if (shown)
        std::fprintf(stderr, "\n");
    shown = false;
}

bool ProgressWanted(bool quiet) {
    return !quiet && isatty(STDERR_FILENO);
}
