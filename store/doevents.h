#pragma once

#include <QtGlobal>

// Lets pending window events run, at the fixed points a long operation names.
void DoEvents();

// For loops that visit thousands of files: says when the counter is worth showing and events
// worth running again, at most every 50 ms of the steady clock (and every 256 calls, so a clock
// that stands still never starves the window). A label set and an event round per file would
// cost more than the file's own work.
class EventPacer {
public:
    bool Due();

private:
    qint64 next = 0;
    int calls = 0;
};
