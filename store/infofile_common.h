#pragma once
// What the information-file loader and saver share: the busy-host bracket, the twice-a-second
// progress, and the memory of files that failed to load.

#include <QString>

namespace infofile {

// Disables the control centre (when there is one) for the life of the object.
class BusyBracket {
public:
    BusyBracket();
    ~BusyBracket();
    BusyBracket(const BusyBracket &) = delete;
    BusyBracket &operator=(const BusyBracket &) = delete;
};

// Shows "<verb> ... N%" at most every half second: in the control centre's caption and in the
// status log prefixed with the procedure's name.
class Progress {
public:
    Progress(const QString &procedure, const QString &verb);
    void Update(qint64 index, qint64 last);
    void Show(int percent);

private:
    QString procedure;
    QString verb;
    qint64 lastShown = -1;
};

// A file that exists but failed to load is remembered, so that it is moved aside before the
// model is saved over it.
void MarkUnreadable(const QString &path);
void ForgetUnreadable(const QString &path);
// Moves an unreadable file aside; returns false when it could not be moved.
bool MoveAsideIfUnreadable(const QString &path);

} // namespace infofile
