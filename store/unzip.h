#pragma once
// Extracts entries of a zip archive into a directory. Never writes outside the destination.

#include <QString>
#include <QStringList>

// patterns: entry names to extract ('*' and '?' allowed); an empty list extracts everything.
// Returns the message text; it holds "Error!!!!! " and a code when the extraction failed.
QString UnzipFiles(const QString &archive, const QString &destination, const QStringList &patterns,
                   int patternCount);
