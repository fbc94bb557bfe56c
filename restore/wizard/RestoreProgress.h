#pragma once
// The restore wizard's running step: the labels and bars the restore run reports to, the
// elapsed time, the unzip animation and the Pause button.

#include "restoreview.h"

#include <QElapsedTimer>
#include <QWidget>

class PathLabel;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

class RestoreProgress : public QWidget, public RestoreView {
public:
    explicit RestoreProgress(QWidget *parent = nullptr);

    QPushButton *PauseButton() const { return cmdPause; }
    // The last run reached its finished step.
    bool ReachedFinish() const { return finished; }

    // RestoreView
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

private:
    void BuildLayout();
    void TickTime();
    void TickUnzip();

    PathLabel *lblRestoring = nullptr;
    PathLabel *lblTo = nullptr;
    QLabel *lblRestored = nullptr;
    QLabel *lblCopied = nullptr;
    QLabel *lblTotal = nullptr;
    QLabel *lblTime = nullptr;
    QLabel *lblNext = nullptr;
    QProgressBar *prgFiles = nullptr;
    QProgressBar *prgSize = nullptr;
    QPushButton *cmdPause = nullptr;
    QTimer *tmrTimer = nullptr;
    QTimer *tmrUnzip = nullptr;
    QElapsedTimer elapsed;
    // The copier reports every block; the label shows it at most every 0.1 s.
    QElapsedTimer copyShown;
    bool unzipSlash = false;
    bool finished = false;
};
