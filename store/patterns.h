#pragma once
// File patterns: ';'-separated lists of '*' and '?' patterns, matched without regard to letter
// case against a bare file name.

#include <QString>
#include <QStringList>
#include <QStringView>

// Whether one pattern ("*.txt", "read??.txt") matches the name.
bool MatchesPattern(QStringView name, QStringView pattern);
// Whether the name matches at least one pattern of the list.
bool MatchesPatternList(QStringView name, QStringView patternList);

// An exclude entry that names no directory (no separator, no drive) is a name pattern that
// leaves out every file and folder it matches, wherever it is ("*.tmp", "node_modules"); any
// other entry is a directory left out with everything below it.
bool IsExcludePattern(QStringView entry);
// The exclude entries that are name patterns, as one pattern list (empty when there are none).
QString ExcludePatternList(const QStringList &excludes);

// The pattern list to use, or an empty text when the user refused the suggested repair.
QString ValidatePattern(const QString &pattern, bool ask, bool reportValid);

// The union of two pattern lists: first's patterns, then second's that are new to it.
QString MergePatterns(const QString &first, const QString &second);

void ShowPatternHelp();
