#pragma once
// The first line of Backup.Ver: the version ("07.08.06") and, for packages published with it,
// one blank and the package's length in bytes. The line is what the signature covers with the
// package, so the length a download is held to is the publisher's own.

#include <QByteArray>
#include <QString>

#include <optional>

struct VersionLine {
    QString version;
    qint64 packageLength = -1; // -1: the line states none
};

// Nothing when the line holds more than a version and a length, or a length that is not a
// positive number. The version text itself is not judged here.
std::optional<VersionLine> ParseVersionLine(const QByteArray &line);
QByteArray VersionLineText(const QString &version, qint64 packageLength);
