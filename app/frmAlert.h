#pragma once
// The reminder: a small window that slides down from the top of the screen with the message at
// the head of its queue and slides back up when answered or expired.

#include "alertqueue.h"

#include <QWidget>

#include <functional>

class QLineEdit;
class QPushButton;
class QTimer;

class frmAlert : public QWidget {
    Q_OBJECT
public:
    // backupClick: what "Start Backup Now" does (the control centre's backup button).
    explicit frmAlert(std::function<void()> backupClick);

    void DoAlert(const QString &text, double minutes);
    void DoNextAlert();
    void ShowAlert();
    void RemoveAnAlert(int index);
    void HideAlert();

    // One tick of each timer.
    void ShowStep();
    void HideStep();
    void CheckEndsTick();
    void TryAgainTick();

    const AlertQueue &Queue() const { return queue; }
    // The window's top relative to the top of the screen: -height when fully above it.
    int TopOffset() const;
    int Step() const;

private:
    void SetTopOffset(int offset);
    void SlideOut();
    static bool Blocked();

    QLineEdit *txtAlert;
    QPushButton *cmdOk;
    QPushButton *cmdTomorrow;
    QPushButton *cmdBackup;
    QTimer *tmrShow;
    QTimer *tmrHide;
    QTimer *tmrCheckEnds;
    QTimer *tmrTryAgain;
    AlertQueue queue;
    std::function<void()> backupClick;
};
