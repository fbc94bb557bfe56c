#pragma once
// The control centre's notification-area icon: minimise to it, restore from it. Where the
// desktop has no notification area the window simply minimises.

#include <QObject>

class QMenu;
class QSystemTrayIcon;
class QWidget;

class SysTray : public QObject {
    Q_OBJECT
public:
    static constexpr char Tip[] = "Quillons Pellmoor";

    SysTray(QWidget *window, bool trayAvailable, QObject *parent = nullptr);
    ~SysTray() override;

    void SetMenu(QMenu *menu);
    // Hides the window behind the icon. False (nothing done) while another tray operation runs,
    // when already in the tray, or without a notification area.
    bool MinimiseToTray();
    // Removes the icon and brings the window back to the front. False when busy or not in tray.
    bool RestoreFromTray();
    // Takes the icon away without showing the window (the program is ending).
    void Remove();

    bool InTray() const { return inTray; }
    bool Available() const { return available; }
    QSystemTrayIcon *Icon() const { return icon; }

private:
    void Activated(int reason);

    QWidget *window;
    QSystemTrayIcon *icon;
    bool available;
    bool busy = false;
    bool inTray = false;
};
