#include "readversiondate.h"

#include "clock.h"

#include <QStringList>

namespace {

bool AllDigits(const QString &text, int minLength, int maxLength) {
    if (text.size() < minLength || text.size() > maxLength)
        return false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// The year ending in these two digits that lies from fifty years before this one to 49 after.
int FullYear(int twoDigits) {
    const int first = Today().year() - 50;
    int year = first - first % 100 + twoDigits;
    if (year < first)
        year += 100;
    return year;
}

} // namespace

QDate ReadVersionDate(const QString &text) {
    QString slashed = text.trimmed();
    slashed.replace(QLatin1Char('.'), QLatin1Char('/'));
    const QStringList parts = slashed.split(QLatin1Char('/'));
    if (parts.size() != 3 || !AllDigits(parts[0], 1, 2) || !AllDigits(parts[1], 1, 2) ||
        !(AllDigits(parts[2], 2, 2) || AllDigits(parts[2], 4, 4)))
        return QDate();
    const int year = parts[2].size() == 2 ? FullYear(parts[2].toInt()) : parts[2].toInt();
    return QDate(year, parts[1].toInt(), parts[0].toInt());
}
