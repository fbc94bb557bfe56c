#include "appwindows.h"

#include <QPointer>
#include <QWidget>

#include <array>

namespace {

struct Registered {
    QPointer<QWidget> window;
    std::function<void()> showForm;
};
std::array<Registered, size_t(AppWindow::Count)> windows;
UpdateStarter updateStarter;

} // namespace

void RegisterAppWindow(AppWindow which, QWidget *window, std::function<void()> showForm) {
    windows[size_t(which)] = {window, std::move(showForm)};
}

QWidget *AppWindowOf(AppWindow which) {
    return windows[size_t(which)].window.data();
}

bool ShowAppWindow(AppWindow which) {
    const Registered &registered = windows[size_t(which)];
    if (!registered.window)
        return false;
    if (registered.showForm)
        registered.showForm();
    else
        ShowForm(registered.window);
    return true;
}

bool IsAppWindowVisible(AppWindow which) {
    QWidget *window = AppWindowOf(which);
    return window && window->isVisible();
}

void ForEachAppWindow(const std::function<void(QWidget *)> &action) {
    for (const Registered &registered : windows) {
        if (registered.window)
            action(registered.window.data());
    }
}

void ShowForm(QWidget *window) {
    if (!window->isVisible())
        window->show();
    window->raise();
    window->activateWindow();
}

void HideForm(QWidget *window) {
    window->hide();
}

void SetUpdateStarter(UpdateStarter starter) {
    updateStarter = std::move(starter);
}

bool HaveUpdateStarter() {
    return bool(updateStarter);
}

void StartUpdate(bool automatic, bool forced) {
    if (updateStarter)
        updateStarter(automatic, forced);
}
