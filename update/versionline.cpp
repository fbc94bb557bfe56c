#include "versionline.h"

#include <QList>

std::optional<VersionLine> ParseVersionLine(const QByteArray &line) {
    const QList<QByteArray> words = line.simplified().split(' ');
    if (words.isEmpty() || words.first().isEmpty() || words.size() > 2)
        return std::nullopt;
    VersionLine parsed{QString::fromUtf8(words.first())};
    if (words.size() == 2) {
        for (char c : words.at(1)) {
            if (c < '0' || c > '9')
                return std::nullopt;
        }
        bool ok = false;
        parsed.packageLength = words.at(1).toLongLong(&ok);
        if (!ok || parsed.packageLength <= 0)
            return std::nullopt;
    }
    return parsed;
}

QByteArray VersionLineText(const QString &version, qint64 packageLength) {
    QByteArray line = version.toUtf8();
    if (packageLength >= 0)
        line += ' ' + QByteArray::number(packageLength);
    return line;
}
