#pragma once
// Controls made with their names and captions: every control carries its name as its
// objectName, so that tests and screen readers find it by that name.

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

// A label with its caption; a value label starts as "---" until there is something to show.
inline QLabel *Label(QWidget *parent, const char *name, const char *caption = "---") {
    return Named(new QLabel(QString::fromLatin1(caption), parent), name);
}
