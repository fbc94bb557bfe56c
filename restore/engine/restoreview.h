#pragma once
// What a restore run shows while it works. Every method has a do-nothing default, so the
// command line and the tests pass a plain RestoreView and the run never checks for one.

#include "copyfile.h"

#include <QString>

class RestoreView : public CopyProgressView {
public:
    ~RestoreView() override = default;

    // The run has started: elapsed time on, Next disabled, the labels "---", both bars at zero.
    virtual void RunStarted() {}
    // "Restoring :" (the source path) and "To :" (the destination path), full paths; the window
    // shortens them to its labels.
    virtual void SetRestoring(const QString & /*source*/) {}
    virtual void SetTo(const QString & /*destination*/) {}
    // "Files Copied :" ("3 Out Of 10").
    virtual void SetRestored(const QString & /*text*/) {}
    // "Current File Copied :" while a piece is copied (CopyProgressView).
    void SetCopyLabel(const QString & /*text*/) override {}
    void SetCopyFraction(double /*fraction*/) override {}
    // "Total Files Copied :" ("1.5 MB Of About 3 MB").
    virtual void SetTotal(const QString & /*text*/) {}
    // "Next Media (Can Change) :" ("Unknown" or a medium number).
    virtual void SetNext(const QString & /*text*/) {}
    // The files bar and the size bar, each from 0 to 1.
    virtual void SetBars(double /*filesFraction*/, double /*sizeFraction*/) {}
    // A zipped copy is being extracted (the window animates a label meanwhile).
    virtual void SetUnzipping(bool /*unzipping*/) {}
    // Every file is done or given up: the wizard moves to its finished step.
    virtual void Finished() {}
    // The run is over (elapsed time off); a cancelled run closes the window.
    virtual void RunEnded(bool /*cancelled*/) {}
};
