#pragma once
// Small helpers the restore window's layout files share: controls made with their names and
// captions.

#include "namedwidgets.h"

#include <QTimer>

// A label that shows a short value. It does not wrap: a wrapping label makes its layout measure
// again at every change, and the restore's labels change many times a second.
inline QLabel *ValueLabel(QWidget *parent, const char *name) {
    auto *label = Named(new QLabel(QStringLiteral("---"), parent), name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

inline QLabel *Caption(QWidget *parent, const char *text) {
    return new QLabel(QString::fromLatin1(text), parent);
}

inline QTimer *NamedTimer(QObject *parent, const char *name, int interval, bool singleShot) {
    auto *timer = Named(new QTimer(parent), name);
    timer->setInterval(interval);
    timer->setSingleShot(singleShot);
    return timer;
}
