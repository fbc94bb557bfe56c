#include "datetext.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>

QString ShortDateFormat() {
    QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QRegularExpression(QStringLiteral("y+")), QStringLiteral("yyyy"));
    return format;
}

QString ShortDateText(const QDate &date) {
    return QLocale::system().toString(date, ShortDateFormat());
}

QString SetDateText(const QDateTime &when) {
    return ShortDateText(when.date()) + QLatin1Char(' ') +
           when.time().toString(QStringLiteral("HH:mm:ss"));
}

QString StoredDateText(const QDate &date) {
    return date.isValid() ? ShortDateText(date) : QStringLiteral("00:00:00");
}

namespace {

QDate TryFormat(const QLocale &locale, const QString &text, const QString &format) {
    QDate date = locale.toDate(text, format);
    if (!date.isValid()) {
        // A general date-and-time text carries the time after the date.
        const QString datePart = text.section(QLatin1Char(' '), 0, 0);
        if (datePart != text)
            date = locale.toDate(datePart, format);
    }
    if (date.isValid() && !format.contains(QLatin1String("yyyy")) && date.year() < 1930)
        date = date.addYears(100);
    return date;
}

} // namespace

QDate ParseStoredDate(const QString &text, bool *ok) {
    *ok = true;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed == QLatin1String("00:00:00"))
        return QDate();
    const QLocale system = QLocale::system();
    const QStringList formats = {ShortDateFormat(), system.dateFormat(QLocale::ShortFormat),
                                 system.dateFormat(QLocale::LongFormat)};
    for (const QString &format : formats) {
        const QDate date = TryFormat(system, trimmed, format);
        if (date.isValid())
            return date;
    }
    const QDate iso = QDate::fromString(trimmed.left(10), Qt::ISODate);
    if (iso.isValid())
        return iso;
    const QLocale c = QLocale::c();
    for (const char *format : {"dd/MM/yyyy", "d/M/yyyy", "MM/dd/yyyy", "M/d/yyyy", "d.M.yyyy",
                               "dd.MM.yyyy", "d-M-yyyy", "yyyy/MM/dd", "d MMM yyyy"}) {
        const QDate date = TryFormat(c, trimmed, QString::fromLatin1(format));
        if (date.isValid())
            return date;
    }
    *ok = false;
    return QDate();
}
