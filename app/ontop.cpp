#include "ontop.h"

#include <QWidget>

namespace {

void SetTopmost(QWidget *window, bool topmost) {
    // Changing a window flag hides the window; keep its place and show it again.
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != topmost) {
        const QPoint place = window->pos();
        window->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
        window->move(place);
    }
    window->show();
    window->raise();
}

} // namespace

void MakeTopmost(QWidget *window) {
    SetTopmost(window, true);
}

void MakeNotTopmost(QWidget *window) {
    SetTopmost(window, false);
}
