#pragma once
// The restore run's progress on the window's restore step: labels, bars and timers.

#include "restoreview.h"

#include <QElapsedTimer>

class frmRestore;

class RestoreFrameView : public RestoreView {
public:
    explicit RestoreFrameView(frmRestore &window) : window(window) {}

    void RunStarted() override;
    void SetRestoring(const QString &source) override;
    void SetTo(const QString &destination) override;
    void SetRestored(const QString &text) override;
    void SetCopyLabel(const QString &text) override;
    void SetTotal(const QString &text) override;
    void SetNext(const QString &text) override;
    void SetBars(double filesFraction, double sizeFraction) override;
    void SetUnzipping(bool unzipping) override;
    void Finished() override { finished = true; }
    void RunEnded(bool cancelled) override;

    // The run reached its finished step.
    bool finished = false;

private:
    frmRestore &window;
    // The copier reports every block; the label shows it at most every 0.1 s.
    QElapsedTimer copyShown;
};
