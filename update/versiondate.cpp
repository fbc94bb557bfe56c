#include "versiondate.h"

#include "datetext.h"

QString AvailableVersionText(const QDate &date) {
    return ShortDateText(date).replace(QLatin1Char('/'), QLatin1Char('.'));
}
