#pragma once
// The control centre: the buttons that open every other window, the notification-area icon
// and its menu, and the interval check that raises the backup reminder.

#include "busyhost.h"
#include "frmSplash.h"

#include <QList>
#include <QPointer>
#include <QWidget>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class SysTray;
class frmAbout;
class frmAlert;
enum class AppWindow;

class frmControl : public QWidget, public BusyHost {
    Q_OBJECT
public:
    static constexpr char Caption[] = "Quillons Pellmoor - Control Centre";

    explicit frmControl(bool trayAvailable);
    ~frmControl() override;

    // Read-only mode: the label and its explanation instead of setup, update and backup.
    void SetReadOnlyMode(bool readOnly);
    void SetSplash(frmSplash *splash) { this->splash = splash; }
    // Enables the buttons of the windows that have been registered since.
    void RefreshAvailability();

    void DisEnableOpts(bool enabled);
    void SetUpdateEnabled(bool enabled);
    void LastButtonDone();
    void BackupClick();
    // The close request: asks "Really exit?" and ends the program on Yes.
    void RequestClose();
    // The exit procedure. Returns false when the user said No, or when asked to exit while a
    // backup or a restore runs; unasked (the session closing), it ends the run first.
    bool ExitProgram(bool ask);
    bool HasExited() const { return exited; }
    // One tick of tmrCheckInterval.
    void CheckIntervalTick();
    void MenuCommand(int index);

    SysTray *Tray() const { return tray; }
    frmAlert *Alert() const { return alert; }
    frmAbout *About() const { return about; }
    QMenu *PopupMenu() const { return mnuPop; }

    void BeginBusy() override;
    void ShowBusyProgress(const QString &progress) override;
    void EndBusy() override;

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void EndAfterTheRun();
    void BuildLayout();
    void BuildMenu();
    void ConnectControls();
    void KeepLoadSize();
    void OpenWindow(AppWindow which, QPushButton *button);
    // Makes a window this one opens its child: kept above it, and placed over it when shown.
    void Adopt(QWidget *window);
    void FitTitle();
    void WhyReadOnly();
    // The status line from the model as it stands.
    void ShowStatus();
    // Brings the window up from wherever it is: the tray, minimised or behind others.
    void OpenControlCentre();
    bool Available(QPushButton *button) const;

    QPushButton *cmdSetup = nullptr;
    QPushButton *cmdUpdate = nullptr;
    QPushButton *cmdBackup = nullptr;
    QPushButton *cmdRestore = nullptr;
    QPushButton *cmdDetails = nullptr;
    QPushButton *cmdHelp = nullptr;
    QPushButton *cmdAbout = nullptr;
    QPushButton *cmdExit = nullptr;
    QPushButton *cmdWhyRead = nullptr;
    QLabel *lblReadOnly = nullptr;
    QLabel *lblStatus = nullptr;
    QTimer *tmrCheckInterval = nullptr;
    QMenu *mnuPop = nullptr;
    QList<QAction *> mnuPopup;
    QAction *mnuOpen = nullptr;

    SysTray *tray = nullptr;
    frmAlert *alert = nullptr;
    frmAbout *about = nullptr;
    QPointer<frmSplash> splash;

    bool readOnly = false;
    bool closing = false;
    bool exited = false;
    bool buttonsEnabled = true;
    bool updateRemembered = true;
    QPointer<QPushButton> lastButton;
    QList<QObject *> watchedWindows;
    QList<QPointer<QWidget>> adoptedWindows;

    int busyDepth = 0;
    QString busyCaption;
    QList<QPair<QPointer<QWidget>, bool>> busyStates;
};
