#pragma once
// The backup interval as the setup window's list shows it: "Every Monday", "1st Of The Month",
// "Everyday", then "Every N Days" for N = 2 to 365.

#include <QStringList>

inline constexpr int LongestIntervalDays = 365;

// Every entry of the list, in list order (367 of them).
QStringList IntervalTexts();
// The list position that shows a stored interval; a value outside the list shows "Every Monday".
int IntervalPosition(int interval);
// The stored interval of a list position.
int IntervalFromPosition(int position);
