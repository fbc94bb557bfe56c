#include "WindowKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

QPushButton *DefaultButtonOf(QWidget *window) {
    for (QPushButton *button : window->findChildren<QPushButton *>()) {
        // A button of another window (a child window such as a list of files) is not this
        // window's default.
        if (button->window() == window && button->isDefault() && button->isVisible() &&
            button->isEnabled())
            return button;
    }
    return nullptr;
}

WindowKeys::WindowKeys(QWidget *window, QPushButton *cancel, bool escapeCloses)
    : QObject(window), window(window), cancel(cancel), escapeCloses(escapeCloses) {
    window->installEventFilter(this);
}

WindowKeys *WindowKeys::Install(QWidget *window, QPushButton *cancel, bool escapeCloses) {
    return new WindowKeys(window, cancel, escapeCloses);
}

bool WindowKeys::eventFilter(QObject *watched, QEvent *event) {
    // Only a key no control of the window took reaches the window itself.
    if (watched != window || event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier)
        return false;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return PressDefault();
    case Qt::Key_Escape:
        if (!escapeCloses)
            return false;
        Escape();
        return true;
    default:
        return false;
    }
}

bool WindowKeys::PressDefault() {
    // A focused button is what Enter means; a check box or an option keeps Space for itself and
    // lets Enter go to the default button.
    auto *focused = qobject_cast<QPushButton *>(QApplication::focusWidget());
    if (focused && focused->window() == window && focused->isEnabled()) {
        focused->click();
        return true;
    }
    if (QPushButton *button = DefaultButtonOf(window)) {
        button->click();
        return true;
    }
    return false;
}

void WindowKeys::Escape() {
    if (cancel && cancel->isVisible() && cancel->isEnabled())
        cancel->click();
    else
        window->close();
}

namespace {

bool TakesTab(const QWidget *widget, const QWidget *area) {
    return (widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() &&
           widget->isVisibleTo(area->window()) && !widget->focusProxy();
}

} // namespace

bool FocusFirstIn(QWidget *area) {
    for (QWidget *widget : area->findChildren<QWidget *>()) {
        if (!TakesTab(widget, area))
            continue;
        // Tab reaches a group of options at its chosen one.
        if (auto *option = qobject_cast<QRadioButton *>(widget)) {
            for (auto *sibling : option->parentWidget()->findChildren<QRadioButton *>(
                     QString(), Qt::FindDirectChildrenOnly)) {
                if (sibling->isChecked() && TakesTab(sibling, area)) {
                    widget = sibling;
                    break;
                }
            }
        }
        widget->setFocus(Qt::TabFocusReason);
        return true;
    }
    return false;
}
