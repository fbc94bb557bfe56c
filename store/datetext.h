#pragma once
// Dates as the information file and the windows write them: the system's short date form,
// always with a four-digit year so that a date read back never lands in another century.

#include <QDate>
#include <QDateTime>
#include <QString>

QString ShortDateFormat();
QString ShortDateText(const QDate &date);

// The moment a backup started, as its record keeps it: the short date and the time of day to
// the second, so that two backups of one day can be told apart.
QString SetDateText(const QDateTime &when);

// The text of LastBackupDate: the short date, or "00:00:00" for the zero (null) date.
QString StoredDateText(const QDate &date);

// Reads a date written under this or another locale: the short and long forms of the system,
// ISO 8601, then the common numeric forms. "00:00:00" and an empty text are the zero date.
// ok becomes false when no form fits.
QDate ParseStoredDate(const QString &text, bool *ok);
