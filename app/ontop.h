#pragma once
// Window z-order: topmost, and back to normal. Topmost then not topmost brings a window to the
// front without keeping it there. Both show the window.

class QWidget;

void MakeTopmost(QWidget *window);
void MakeNotTopmost(QWidget *window);
