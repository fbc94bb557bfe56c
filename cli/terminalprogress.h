#pragma once
// The progress line pellmoor shows on a terminal: one line, rewritten in place, at most a few
// times a second.

#include <QString>

class TerminalProgress {
public:
    // enabled: standard error is a terminal and --quiet was not given.
    explicit TerminalProgress(bool enabled);
    ~TerminalProgress();

    void Show(const QString &text);
    // Ends the line so that the next message starts on its own.
    void Finish();

private:
    bool enabled;
    bool shown = false;
    qint64 lastShown = -1;
};

// Whether a progress line belongs on standard error.
bool ProgressWanted(bool quiet);
