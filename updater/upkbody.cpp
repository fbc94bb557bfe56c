#include "upkbody.h"

#include <QIODevice>
#include <QRegularExpression>

#include <limits>
#include <optional>

namespace {

constexpr char Separator = '|';
constexpr qint64 ReadBlock = 4096;

// The fields at the front of the body, read a block at a time and never past the header limit.
class FieldReader {
public:
    explicit FieldReader(QIODevice &body) : body(body) {}

    // The next field; nothing when no '|' ends it within the header limit.
    std::optional<QByteArray> Next() {
        qsizetype end = pending.indexOf(Separator);
        while (end < 0) {
            if (consumed + pending.size() >= UpkHeaderLimit)
                return std::nullopt;
            const QByteArray more = body.read(ReadBlock);
            if (more.isEmpty())
                return std::nullopt;
            pending += more;
            end = pending.indexOf(Separator);
        }
        QByteArray field = pending.left(end);
        pending.remove(0, end + 1);
        consumed += end + 1;
        return field;
    }
    qint64 Consumed() const { return consumed; }

private:
    QIODevice &body;
    QByteArray pending;
    qint64 consumed = 0;
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

UpkParse ReadUpkHeader(QIODevice &body, UpkBody *out) {
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
    parsed.contentsOffset = fields.Consumed();
    if (body.size() - parsed.contentsOffset != total)
        return UpkParse::BadLength;
    *out = std::move(parsed);
    return UpkParse::Ok;
}

bool IsReservedTarget(const QString &target) {
    if (target.contains(QLatin1Char('\n')) || target.contains(QLatin1Char('\r')))
        return true;
    static const QRegularExpression separators(QStringLiteral("[/\\\\]"));
    QString path = target;
    path.replace(QLatin1String(UpkProgramDirectoryMark), QStringLiteral("/"));
    for (const QString &part : path.split(separators, Qt::SkipEmptyParts)) {
        if (part.endsWith(QStringLiteral(".Old"), Qt::CaseInsensitive) ||
            part.endsWith(QStringLiteral(".this"), Qt::CaseInsensitive) ||
            part.compare(QLatin1String(RollbackListName), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QByteArray UpkHeaderText(const QString &version, const QList<UpkFile> &files) {
    QByteArray header =
        "V|1|" + version.toUtf8() + '|' + QByteArray::number(files.size() - 1) + '|';
    for (const UpkFile &file : files)
        header += file.target.toUtf8() + '|' + QByteArray::number(file.length) + '|';
    return header + "Files|";
}

QByteArray ComposeUpkBody(const QString &version, const QList<UpkSource> &files) {
    QList<UpkFile> listed;
    for (const UpkSource &file : files)
        listed.append(UpkFile{file.target, file.bytes.size()});
    QByteArray body = UpkHeaderText(version, listed);
    for (const UpkSource &file : files)
        body += file.bytes;
    return body;
}
