#pragma once
// Versions are dates ("06.08.06" is the 6th of August 2006); the later date is the newer
// version. The program, the update check and the updater read them by this one rule, so they
// always compare fairly.

#include <QDate>
#include <QString>

// Day, month and year separated by '.' or '/', the year in two or four digits. A two-digit year
// is the one within fifty years either side of this year (in 2026: 1976 to 2075), so versions
// keep comparing in order whatever the century. Anything else, or a day that does not exist,
// gives an invalid date.
QDate ReadVersionDate(const QString &text);
