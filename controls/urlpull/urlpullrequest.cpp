#include "urlpullrequest.h"

#include <QList>

#include <algorithm>

QString EncodeQuery(const QString &address) {
    QString url = address;
    url.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const qsizetype mark = url.indexOf(QLatin1Char('?'));
    if (mark < 0)
        return url;
    QString query = url.mid(mark + 1);
    // "%" itself is left alone, so the order only matters for readability.
    static const char *const codes[][2] = {{" ", "%20"}, {":", "%3a"}, {"/", "%2f"},
                                           {".", "%2e"}, {"-", "%2d"}, {"?", "%3f"}};
    for (const auto &code : codes)
        query.replace(QLatin1String(code[0]), QLatin1String(code[1]));
    return url.left(mark + 1) + query;
}

UrlpullTarget ParseTarget(const QString &url) {
    UrlpullTarget target;
    QString rest = url;
    if (rest.left(7).toLower() == QLatin1String("http://"))
        rest = rest.mid(7);
    const qsizetype slash = rest.indexOf(QLatin1Char('/'));
    target.host = slash < 0 ? rest : rest.left(slash);
    target.path = slash < 0 ? QStringLiteral("/") : rest.mid(slash);
    target.hostName = target.host;
    const qsizetype colon = target.host.lastIndexOf(QLatin1Char(':'));
    if (colon >= 0) {
        bool ok = false;
        const uint port = target.host.mid(colon + 1).toUInt(&ok);
        if (ok && port > 0 && port <= 65535) {
            target.port = quint16(port);
            target.hostName = target.host.left(colon);
        }
    }
    return target;
}

QByteArray RequestBytes(const UrlpullTarget &target) {
    return "GET " + target.path.toUtf8() + " HTTP/1.1\r\nHost: " + target.host.toUtf8() +
           "\r\nConnection: close\r\n\r\n";
}

ResponseKind ReadResponse(const QByteArray &response, QByteArray *body) {
    const qsizetype end = response.indexOf("\r\n\r\n");
    if (end < 0)
        return ResponseKind::NoHeader;
    // Only the status line's code counts: a "200" elsewhere in the header (a length of 1200 on
    // an error page) would save the error page as the document.
    const QByteArray statusLine = response.left(response.indexOf("\r\n"));
    const QList<QByteArray> parts = statusLine.simplified().split(' ');
    if (parts.size() < 2 || !parts[0].startsWith("HTTP/") || parts[1] != "200")
        return ResponseKind::ServerError;
    *body = response.mid(end + 4);
    return ResponseKind::Ok;
}

qint64 ContentLength(const QByteArray &header) {
    for (const QByteArray &line : header.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon < 0 || line.left(colon).trimmed().toLower() != "content-length")
            continue;
        const QByteArray value = line.mid(colon + 1).trimmed();
        bool ok = false;
        const qint64 length = value.toLongLong(&ok);
        // Only plain digits: a sign or a blank inside would be a guess.
        const bool digits = !value.isEmpty() && std::all_of(value.begin(), value.end(), [](char c) {
            return c >= '0' && c <= '9';
        });
        return ok && digits ? length : -1;
    }
    return -1;
}

QString DownloadedText(qint64 received) {
    double value = double(received);
    const char *unit = "b";
    for (const char *larger : {"kb", "mb", "gb"}) {
        if (value > 1024) {
            value /= 1024;
            unit = larger;
        }
    }
    const double shown = double(qint64(value * 100)) / 100;
    return QString::number(shown, 'g', 12) + QLatin1Char(' ') + QLatin1String(unit);
}
