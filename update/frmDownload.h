#pragma once
// The download window of the update check. It stays hidden for quick downloads and shows the
// download control only once a download has taken longer than a quarter of a second.

#include <QWidget>

#include <functional>

class QTimer;
class Urlpull;

class frmDownload : public QWidget {
    Q_OBJECT
public:
    static constexpr char Caption[] = "Download ...";
    static constexpr int ShowDelayMs = 250;

    explicit frmDownload(QWidget *parent = nullptr);

    Urlpull *GD() const { return control; }
    // Called after every download has ended and the window is hidden.
    void SetAfterDownload(std::function<void()> action) { afterDownload = std::move(action); }

protected:
    void changeEvent(QEvent *event) override;

private:
    void OnStart();
    void OnShowTimer();
    void OnFinish();
    void KeepHeight();

    Urlpull *control;
    QTimer *tmrShow;
    std::function<void()> afterDownload;
};
