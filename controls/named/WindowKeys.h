#pragma once
// Enter and Escape in a window that is not a dialog, as a person expects them there: Enter
// presses the button that has the focus, or else the window's default button; Escape does what
// the window's Cancel does. A key the focused control uses itself (a line break in a multi-line
// box, an open drop-down list) stays with that control.

#include <QObject>
#include <QPointer>

class QPushButton;
class QWidget;

class WindowKeys : public QObject {
public:
    // cancel: the button Escape presses while it is enabled; otherwise, and without one, Escape
    // closes the window, which each window turns into its own Cancel. A window that is no step
    // on the way to something (the program's main window) leaves Escape alone.
    static WindowKeys *Install(QWidget *window, QPushButton *cancel = nullptr,
                               bool escapeCloses = true);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    WindowKeys(QWidget *window, QPushButton *cancel, bool escapeCloses);
    bool PressDefault();
    void Escape();

    QWidget *window;
    QPointer<QPushButton> cancel;
    bool escapeCloses;
};

// The window's default button that can be pressed now: visible and enabled; nullptr when none.
QPushButton *DefaultButtonOf(QWidget *window);

// Gives the focus to the first control in area that takes it by Tab (the chosen one of a group of
// options); false when there is none.
bool FocusFirstIn(QWidget *area);
