#pragma once
// Where a window opened from another comes up: centred over the window that opened it, and
// whole on the screen, however near its edge that window stands.

#include <QRect>

class QWidget;

// The place for a window of the given outer size over owner, kept inside area; a window larger
// than the area is cut to it.
QRect PlacedOver(const QSize &size, const QRect &owner, const QRect &area);
// Moves window (and shrinks it where the screen is too small) to its place over owner; with no
// visible owner, the middle of the screen.
void PlaceOver(QWidget *window, const QWidget *owner);
