#include "statuslog.h"

#include "clock.h"
#include "doevents.h"

#include <QLocale>

StatusLog &StatusLog::Instance() {
    static StatusLog log;
    return log;
}

void StatusLog::Clear() {
    text.clear();
    Q_EMIT Cleared();
}

void StatusLog::Append(const QString &entry) {
    text += entry;
    if (text.size() > MaxLength)
        text.remove(0, text.size() - MaxLength);
    Q_EMIT Printed(entry);
}

QString NormaliseStatusText(const QString &text) {
    QString s = text;
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    s.replace(QLatin1String("\n\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    s.replace(QLatin1Char('\t'), QLatin1String("     "));
    return s;
}

void StatusPrint(const QString &text, bool stamp) {
    StatusLog &log = StatusLog::Instance();
    QString entry = NormaliseStatusText(text);
    if (stamp || log.PreviousStamp())
        entry = QLocale::system().toString(Now(), QLocale::ShortFormat) + QLatin1String("     ") +
                entry;
    // One entry a line: entries that ran on into the next could not be told apart.
    if (!entry.endsWith(QLatin1String("\r\n")))
        entry += QLatin1String("\r\n");
    log.SetPreviousStamp(stamp);
    log.Append(entry);
    DoEvents();
}
