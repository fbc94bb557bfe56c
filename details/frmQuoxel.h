#pragma once
// The diagnostics window: the program's status log as it grows, the statistics over the whole
// backup history and a forced update check. It lives for the whole run and is only ever hidden.

#include <QWidget>

#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class frmQuoxel : public QWidget {
    Q_OBJECT
public:
    explicit frmQuoxel(QWidget *parent = nullptr);

    // Brings the window up when it is visible, otherwise shows it with the log as it stands.
    void ShowForm();
    void HideForm() { hide(); }

    // The forced update check; "Force Update" stays disabled until one is given.
    void SetForceUpdateAction(std::function<void()> action);

    // Logs the statistics of the current model as one stamped entry.
    void WorkOutStats();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void ShowLog();
    void BuildLayout();

    QLabel *lblStatus;
    QPlainTextEdit *txtStatus;
    QPushButton *cmdStats;
    QPushButton *cmdForce;
    QPushButton *cmdClear;
    QPushButton *cmdClose;
    std::function<void()> forceUpdate;
};
