#include "windowplacement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace {

// The place for a window of the given outer size over owner, kept inside area; a window larger
// than the area is cut to it.
QRect PlacedOver(const QSize &size, const QRect &owner, const QRect &area) {
    QRect placed(QPoint(), size.boundedTo(area.size()));
    placed.moveCenter(owner.center());
    if (placed.right() > area.right())
        placed.moveRight(area.right());
    if (placed.bottom() > area.bottom())
        placed.moveBottom(area.bottom());
    if (placed.left() < area.left())
        placed.moveLeft(area.left());
    if (placed.top() < area.top())
        placed.moveTop(area.top());
    return placed;
}

} // namespace

void PlaceOver(QWidget *window, const QWidget *owner) {
    const bool overOwner = owner && owner->isVisible();
    QScreen *screen = overOwner ? owner->screen() : window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // The frame the window manager adds is known once the window has been shown.
    const QRect inner = window->geometry();
    const QRect outer = window->frameGeometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    const QRect placed =
        PlacedOver(inner.size().grownBy(frame), overOwner ? owner->frameGeometry() : area, area);
    const QSize fits = placed.size().shrunkBy(frame);
    if (fits != window->size())
        window->resize(fits.expandedTo(window->minimumSize()));
    window->move(placed.topLeft());
}
