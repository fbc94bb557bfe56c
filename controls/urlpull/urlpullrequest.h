#pragma once
// The text side of a download: how an address becomes a request and how a response is read.

#include <QByteArray>
#include <QString>

struct UrlpullTarget {
    QString host;     // as given, with its ":port" when there is one
    QString hostName; // the host without the port, to connect to
    quint16 port = 80;
    QString path; // always starts with "/"
};

// Encodes the query part (after the first "?") of an address; the part before it is untouched.
QString EncodeQuery(const QString &address);

// Splits an encoded address into host, port and path.
UrlpullTarget ParseTarget(const QString &url);

// The one request sent for a target.
QByteArray RequestBytes(const UrlpullTarget &target);

enum class ResponseKind { NoHeader, ServerError, Ok };

// Reads a whole response: its kind and, when it is Ok, the body after the blank line.
ResponseKind ReadResponse(const QByteArray &response, QByteArray *body);

// The body length a header states in its Content-Length line, or -1 when it states none (or
// none that reads as a length).
qint64 ContentLength(const QByteArray &header);

// "1.5 kb": bytes in the largest unit that leaves more than 1024, with two decimals at most.
QString DownloadedText(qint64 received);
