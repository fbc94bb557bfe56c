#include "versiondate.h"

#include "datetext.h"

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

} // namespace

QDate ReadVersionDate(const QString &text) {
    QString slashed = text.trimmed();
    slashed.replace(QLatin1Char('.'), QLatin1Char('/'));
    const QStringList parts = slashed.split(QLatin1Char('/'));
    if (parts.size() != 3 || !AllDigits(parts[0], 1, 2) || !AllDigits(parts[1], 1, 2) ||
        !(AllDigits(parts[2], 2, 2) || AllDigits(parts[2], 4, 4)))
        return QDate();
    int year = parts[2].toInt();
    if (parts[2].size() == 2)
        year += year < 30 ? 2000 : 1900;
    return QDate(year, parts[1].toInt(), parts[0].toInt());
}

QString AvailableVersionText(const QDate &date) {
    return ShortDateText(date).replace(QLatin1Char('/'), QLatin1Char('.'));
}
