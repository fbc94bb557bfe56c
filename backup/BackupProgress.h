#pragma once
// The running step of the backup wizard: the labels and bars a run reports to, the elapsed
// time, and the buttons that act on the run. What the run reports is kept and shown by
// tmrUpdate a few times a second, so that a run through many small files pays for a few label
// changes, not one per file.

#include "backupview.h"

#include <QElapsedTimer>
#include <QWidget>

#include <functional>

class FractionBar;
class QLabel;
class QPushButton;
class QTimer;

class BackupProgress : public QWidget, public BackupView {
public:
    explicit BackupProgress(QWidget *parent = nullptr);

    // Called with the stage caption whenever it changes (the window's caption follows it).
    std::function<void(const QString &)> onActivity;

    // Back to the look of a run that has not started.
    void Reset();
    // Shows what was reported since the last refresh.
    void Refresh();
    // The elapsed time as "00:00:00".
    static QString ElapsedText(qint64 seconds);

    QPushButton *StopButton() const { return cmdStp; }
    QPushButton *PauseButton() const { return cmdPause; }
    QPushButton *ViewListButton() const { return cmdViewList; }

    // BackupView
    void SetStage(const QString &caption, const QString &counter) override;
    void SetCounter(const QString &counter) override;
    void SetCurrentFile(const QString &path) override;
    void SetCopyLabel(const QString &text) override;
    void SetCopyFraction(double fraction) override;
    void SetTotalCopied(double doneKB, double totalKB) override;
    void SetSpaceCaption(const QString &caption) override;
    void SetMediumLine(const QString &mediaUsed, const QString &freeSpace, double mediumFraction,
                       double totalFraction) override;
    void SetZipState(const QString &text) override;
    void SetStopButton(bool enabled, const QString &caption) override;
    void RunStarted() override;
    void RunEnded() override;

private:
    void BuildLayout();
    void ShowTime();

    // What the run reported, shown at the next refresh.
    struct Shown {
        QString doing, done, file, copied, total, spaceCaption, used, zipping;
        double copyFraction = 0, totalFraction = 0, mediumFraction = 0;
    } reported;
    bool dirty = false;

    QLabel *lblDoing = nullptr;
    QLabel *lblDone = nullptr;
    QLabel *lblFile = nullptr;
    QLabel *lblCopiedCap = nullptr;
    QLabel *lblCopied = nullptr;
    QLabel *lblTotalCap = nullptr;
    QLabel *lblTotal = nullptr;
    QLabel *lblUsedCap = nullptr;
    QLabel *lblUsed = nullptr;
    QLabel *lblZipping = nullptr;
    QLabel *lblTimeCap = nullptr;
    QLabel *lblTime = nullptr;
    FractionBar *shpCopied = nullptr;
    FractionBar *shpTotal = nullptr;
    FractionBar *shpUsed = nullptr;
    QPushButton *cmdStp = nullptr;
    QPushButton *cmdPause = nullptr;
    QPushButton *cmdViewList = nullptr;
    QTimer *tmrTimer = nullptr;
    QTimer *tmrUpdate = nullptr;
    QElapsedTimer elapsed;
};
