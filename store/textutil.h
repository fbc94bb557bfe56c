#pragma once
// The text operations the information file and the windows share.

#include <QString>

// Appends the separator unless the path is empty or already ends in it.
QString &AddSlash(QString &path);
QString AddSlashed(QString path);

// Returns the text before the first '|' and leaves the rest after it in line. ok becomes false
// when the line holds no '|' (a format error for the caller to report).
QString NextToken(QString &line, bool *ok = nullptr);

// Decimal text left-padded with '0' to width; never cut.
QString PadNumber(qint64 value, int width);

// The text between double quotes, as messages show names.
QString Quoted(const QString &text);

// Kilobytes as "512 B", "1 KB", "1.5 MB", "2 GB".
QString FormatSize(double kilobytes);

// Seconds as "5", "1:05", "1:01:01", "0:00:05"; negative gives "!!!ERROR!!!".
QString FormatDuration(qint32 seconds, bool alwaysShowHours);

// The shortest text that reads back to the same double, fixed notation, '.' as decimal point.
QString DoubleText(double value);
