#pragma once
// File patterns: ';'-separated lists of '*' and '?' patterns, matched without regard to letter
// case against a bare file name.

#include <QString>
#include <QStringView>

// Whether one pattern ("*.txt", "read??.txt") matches the name.
bool MatchesPattern(QStringView name, QStringView pattern);
// Whether the name matches at least one pattern of the list.
bool MatchesPatternList(QStringView name, QStringView patternList);

// The pattern list to use, or an empty text when the user refused the suggested repair.
QString ValidatePattern(const QString &pattern, bool ask, bool reportValid);

// The union of two pattern lists: first's patterns, then second's that are new to it.
QString MergePatterns(const QString &first, const QString &second);

void ShowPatternHelp();
