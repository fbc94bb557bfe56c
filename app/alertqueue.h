#pragma once
// The reminder window's queue of messages, each with the time of day it expires.

#include <QList>
#include <QString>

struct QueuedAlert {
    QString text;
    double ends = 0; // seconds since midnight; below zero once midnight has passed
};

class AlertQueue {
public:
    // Queues text to expire minutes from now (seconds since midnight).
    void Add(const QString &text, double minutes, double now);
    // Orders by expiry, earliest first; among equal expiries the earlier queued stays first.
    void Sort();
    void Remove(int index);

    struct Expiry {
        bool headExpired = false; // the alert on screen is to slide out
        int dropped = 0;          // expired alerts behind it, removed
    };
    // The once-a-second check: expired alerts behind the head are dropped, an expired head is
    // reported. A time of day earlier than the previous check means midnight has passed.
    Expiry CheckEnds(double now);

    int Last() const { return int(entries.size()) - 1; }
    bool IsEmpty() const { return entries.isEmpty(); }
    const QueuedAlert &At(int index) const { return entries.at(index); }

private:
    void RebaseAfterMidnight(double now);

    QList<QueuedAlert> entries;
    double lastEndCheck = 0;
};
