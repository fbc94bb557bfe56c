#include "textutil.h"

#include "platform.h"

#include <charconv>
#include <cmath>

QString &AddSlash(QString &path) {
    const QChar sep = platform::Separator();
    if (!path.isEmpty() && !path.endsWith(sep))
        path += sep;
    return path;
}

QString AddSlashed(QString path) {
    return AddSlash(path);
}

QString NextToken(QString &line, bool *ok) {
    const qsizetype bar = line.indexOf(QLatin1Char('|'));
    if (ok)
        *ok = bar >= 0;
    if (bar < 0)
        return QString();
    QString token = line.left(bar);
    line.remove(0, bar + 1);
    return token;
}

QString PadNumber(qint64 value, int width) {
    QString text = QString::number(value);
    if (text.size() < width)
        text.prepend(QString(width - text.size(), QLatin1Char('0')));
    return text;
}

QString DoubleText(double value) {
    if (value == 0 || !std::isfinite(value))
        return QStringLiteral("0");
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

QString Quoted(const QString &text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString FormatSize(double kilobytes) {
    double value = kilobytes;
    const char *unit = "KB";
    if (value < 1) {
        value *= 1024;
        unit = "B";
    } else if (value > 1024) {
        value /= 1024;
        unit = "MB";
        if (value > 1024) {
            value /= 1024;
            unit = "GB";
        }
    }
    value = std::floor(value * 100) / 100;
    return DoubleText(value) + QLatin1Char(' ') + QLatin1String(unit);
}

QString FormatDuration(qint32 seconds, bool alwaysShowHours) {
    if (seconds < 0)
        return QStringLiteral("!!!ERROR!!!");
    const qint32 s = seconds % 60;
    const qint32 m = (seconds / 60) % 60;
    const qint32 h = seconds / 3600;
    int width = 1;
    QString text;
    if (alwaysShowHours || h != 0) {
        text = QString::number(h) + QLatin1Char(':');
        width = 2;
    }
    if (alwaysShowHours || m != 0 || width == 2) {
        text += PadNumber(m, width) + QLatin1Char(':');
        width = 2;
    }
    return text + PadNumber(s, width);
}
