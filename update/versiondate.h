#pragma once
// Versions are dates ("06.08.06" is the 6th of August 2006); the later date is the newer
// version. Ours and the server's are read by the same rule, so they always compare fairly.

#include <QDate>
#include <QString>

// Day, month and year separated by '.' or '/', the year in two or four digits (two-digit years
// fall in 1930-2029). Anything else, or a day that does not exist, gives an invalid date.
QDate ReadVersionDate(const QString &text);

// The server's version as the download question shows it: the system's short date with every
// '/' written as '.'.
QString AvailableVersionText(const QDate &date);
