#pragma once
// The window shown while the program starts; it hides after three seconds or a click, once
// start-up allows it, and then shows whatever window follows it.

#include <QWidget>

#include <functional>

class QLabel;
class QTimer;

class frmSplash : public QWidget {
    Q_OBJECT
public:
    frmSplash();

    void ShowForm();
    void SetFollowUp(std::function<void()> followUp) { this->followUp = std::move(followUp); }
    // Until this is called neither the timer nor a click hides the window.
    void AllowHide();
    void HideSplash();
    bool HideAllowed() const { return allowed; }

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    QLabel *lblVersion;
    QTimer *tmrHideSplash;
    std::function<void()> followUp;
    bool allowed = false;
};
