#include "interval.h"

QStringList IntervalTexts() {
    QStringList texts{QStringLiteral("Every Monday"), QStringLiteral("1st Of The Month"),
                      QStringLiteral("Everyday")};
    for (int days = 2; days <= LongestIntervalDays; ++days)
        texts.append(QStringLiteral("Every %1 Days").arg(days));
    return texts;
}

int IntervalPosition(int interval) {
    if (interval == -1)
        return 1;
    if (interval >= 1 && interval <= LongestIntervalDays)
        return interval + 1;
    return 0;
}

int IntervalFromPosition(int position) {
    if (position == 0)
        return 0;
    if (position == 1)
        return -1;
    return position - 1;
}
