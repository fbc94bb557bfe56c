#pragma once
// What the information-file routines do to the control centre while they work: remember its
// caption and controls, disable them, show progress in the caption, put everything back.

#include <QString>

class BusyHost {
public:
    virtual ~BusyHost() = default;
    virtual void BeginBusy() = 0;
    // progress: "Saving ... 42%"; the host shows it in front of its remembered caption.
    virtual void ShowBusyProgress(const QString &progress) = 0;
    virtual void EndBusy() = 0;
};

// nullptr (the default) means no window: progress goes to the status log only.
void SetBusyHost(BusyHost *host);
BusyHost *CurrentBusyHost();
