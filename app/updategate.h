#pragma once
// Holds an update's hand-off while a window that works on the user's files is open (the backup
// and restore wizards, Setup) or a run still returns: the program must not end under them.

#include "updatechecker.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

class UpdateGate : public QObject {
public:
    explicit UpdateGate(QList<QWidget *> windows);

    bool Open() const;
    // Calls action once, at the first moment the gate is open (at once when it is).
    void WhenOpen(std::function<void()> action);
    UpdateChecker::HandOffGate ForChecker();

private:
    void Poll();

    QList<QPointer<QWidget>> windows;
    QTimer poll;
    QList<std::function<void()>> waiting;
};
