#pragma once
// Small helpers the restore window's layout files share: controls made with their names and
// captions.

#include <QLabel>
#include <QPushButton>
#include <QString>

template <class Widget> Widget *Named(Widget *widget, const QString &name) {
    widget->setObjectName(name);
    return widget;
}

template <class Widget> Widget *Named(Widget *widget, const char *name) {
    return Named(widget, QString::fromLatin1(name));
}

inline QPushButton *Button(QWidget *parent, const char *name, const char *caption) {
    return Named(new QPushButton(QString::fromLatin1(caption), parent), name);
}

// A label that shows a value and may take a long path: it wraps rather than widen the window.
inline QLabel *ValueLabel(QWidget *parent, const char *name) {
    auto *label = Named(new QLabel(QStringLiteral("---"), parent), name);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

inline QLabel *Caption(QWidget *parent, const char *text) {
    return new QLabel(QString::fromLatin1(text), parent);
}
