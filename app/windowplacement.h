#pragma once
// Where a window opened from another comes up: centred over the window that opened it, and
// whole on the screen, however near its edge that window stands.

class QWidget;

// Moves window (and shrinks it where the screen is too small) to its place over owner; with no
// visible owner, the middle of the screen.
void PlaceOver(QWidget *window, const QWidget *owner);
