#pragma once
// The program-wide diagnostic log. It keeps its text whether or not anybody shows it; listeners
// (the diagnostics window, `pellmoor --verbose`) are told of every entry.

#include <QObject>
#include <QString>

class StatusLog : public QObject {
    Q_OBJECT
public:
    static StatusLog &Instance();

    static constexpr int MaxLength = 20000;

    QString Text() const { return text; }
    void Clear();
    // Appends an already normalised entry; StatusPrint is the way in for everybody else.
    void Append(const QString &entry);
    bool PreviousStamp() const { return previousStamp; }
    void SetPreviousStamp(bool value) { previousStamp = value; }

Q_SIGNALS:
    // entry: what was appended (after normalisation and stamping); the whole log follows.
    void Printed(const QString &entry);
    void Cleared();

private:
    StatusLog() = default;
    QString text;
    bool previousStamp = false;
};

// Line breaks become CR LF (CR -> LF, LF LF -> LF in one pass, LF -> CR LF), tabs five spaces.
QString NormaliseStatusText(const QString &text);

// Appends text to the log as one entry that ends in a line break; a stamped call (or the call
// after one) starts with the date and time.
void StatusPrint(const QString &text, bool stamp = false);
