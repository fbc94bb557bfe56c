#include "SysTray.h"

#include "appicon.h"
#include "ontop.h"

#include <QMenu>
#include <QSystemTrayIcon>
#include <QWidget>

SysTray::SysTray(QWidget *window, bool trayAvailable, QObject *parent)
    : QObject(parent), window(window), icon(new QSystemTrayIcon(this)), available(trayAvailable) {
    icon->setObjectName(QStringLiteral("picSysTray"));
    icon->setIcon(ProgramIcon());
    icon->setToolTip(QString::fromLatin1(Tip));
    connect(icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) { Activated(int(reason)); });
}

SysTray::~SysTray() {
    icon->hide();
}

void SysTray::SetMenu(QMenu *menu) {
    icon->setContextMenu(menu);
}

void SysTray::Activated(int reason) {
    if (reason == QSystemTrayIcon::DoubleClick)
        RestoreFromTray();
}

bool SysTray::MinimiseToTray() {
    if (busy || inTray || !available)
        return false;
    busy = true;
    window->hide();
    icon->show();
    inTray = true;
    busy = false;
    return true;
}

bool SysTray::RestoreFromTray() {
    if (busy || !inTray)
        return false;
    busy = true;
    icon->hide();
    window->show();
    window->setWindowState(window->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    MakeTopmost(window);
    MakeNotTopmost(window);
    window->activateWindow();
    inTray = false;
    busy = false;
    return true;
}

void SysTray::Remove() {
    icon->hide();
    inTray = false;
}
