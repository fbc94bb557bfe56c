#include "upkbody.h"

#include <limits>
#include <optional>

namespace {

constexpr char Separator = '|';

class FieldReader {
public:
    explicit FieldReader(const QByteArray &body) : body(body) {}

    // The next field; nothing when no '|' ends it.
    std::optional<QByteArray> Next() {
        const qsizetype end = body.indexOf(Separator, position);
        if (end < 0)
            return std::nullopt;
        QByteArray field = body.mid(position, end - position);
        position = end + 1;
        return field;
    }
    QByteArray Rest() const { return body.mid(position); }

private:
    const QByteArray &body;
    qsizetype position = 0;
};

std::optional<qint64> NumberOf(const std::optional<QByteArray> &field, qint64 least) {
    if (!field)
        return std::nullopt;
    bool ok = false;
    const qint64 value = field->trimmed().toLongLong(&ok);
    if (!ok || value < least)
        return std::nullopt;
    return value;
}

} // namespace

UpkParse ParseUpkBody(const QByteArray &body, UpkBody *out) {
    FieldReader fields(body);
    const std::optional<QByteArray> marker = fields.Next();
    if (!marker || marker->trimmed() != "V" || !fields.Next())
        return UpkParse::BadFormat;
    const std::optional<QByteArray> version = fields.Next();
    const std::optional<qint64> lastIndex = NumberOf(fields.Next(), -1);
    if (!version || !lastIndex)
        return UpkParse::BadFormat;
    UpkBody parsed;
    parsed.version = QString::fromUtf8(version->trimmed());
    // Saturates instead of overflowing, so that absurd lengths are a length error, not a wrap.
    qint64 total = 0;
    for (qint64 i = 0; i <= *lastIndex; ++i) {
        const std::optional<QByteArray> target = fields.Next();
        const std::optional<qint64> length = NumberOf(fields.Next(), 0);
        if (!target || target->isEmpty() || !length)
            return UpkParse::BadFormat;
        parsed.files.append(UpkFile{QString::fromUtf8(*target), *length});
        total = *length > std::numeric_limits<qint64>::max() - total
                    ? std::numeric_limits<qint64>::max()
                    : total + *length;
    }
    const std::optional<QByteArray> files = fields.Next();
    if (!files || files->trimmed() != "Files")
        return UpkParse::BadFormat;
    parsed.contents = fields.Rest();
    if (parsed.contents.size() != total)
        return UpkParse::BadLength;
    *out = std::move(parsed);
    return UpkParse::Ok;
}

QByteArray ComposeUpkBody(const QString &version, const QList<UpkSource> &files) {
    QByteArray body = "V|1|" + version.toUtf8() + '|' + QByteArray::number(files.size() - 1) + '|';
    for (const UpkSource &file : files)
        body += file.target.toUtf8() + '|' + QByteArray::number(file.bytes.size()) + '|';
    body += "Files|";
    for (const UpkSource &file : files)
        body += file.bytes;
    return body;
}
