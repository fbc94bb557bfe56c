#include "rollbacklist.h"

#include "platform.h"
#include "saferead.h"
#include "upkbody.h"
#include "version.h"

#include <QSaveFile>

namespace {

// A list names at most every file of a package header.
constexpr qint64 RollbackListReadLimit = UpkHeaderLimit;

const QByteArray InstalledKey = "Installed";
const QByteArray BeforeKey = "Before";
const QByteArray ReplacedKey = "Replaced";

} // namespace

QString RollbackListPath() {
    return platform::ProgramDirectory() + QLatin1String(RollbackListName);
}

std::optional<RollbackRecord> ReadRollbackList() {
    QByteArray text;
    if (!ReadRegularFile(RollbackListPath(), RollbackListReadLimit, &text).Ok())
        return std::nullopt;
    RollbackRecord record;
    for (const QByteArray &line : text.split('\n')) {
        const qsizetype bar = line.indexOf('|');
        if (bar < 0)
            continue;
        const QByteArray key = line.left(bar);
        const QString value = QString::fromUtf8(line.mid(bar + 1)).trimmed();
        if (key == InstalledKey)
            record.installed = value;
        else if (key == BeforeKey)
            record.before = value;
        else if (key == ReplacedKey && !value.isEmpty())
            record.replaced.append(value);
    }
    return record;
}

QByteArray RollbackListText(const RollbackRecord &record) {
    QByteArray text;
    if (!record.installed.isEmpty())
        text += InstalledKey + '|' + record.installed.toUtf8() + '\n';
    if (!record.before.isEmpty())
        text += BeforeKey + '|' + record.before.toUtf8() + '\n';
    for (const QString &name : record.replaced)
        text += ReplacedKey + '|' + name.toUtf8() + '\n';
    return text;
}

bool WriteRollbackList(const RollbackRecord &record) {
    QSaveFile out(RollbackListPath());
    const QByteArray text = RollbackListText(record);
    return out.open(QIODevice::WriteOnly) && out.write(text) == text.size() && out.commit();
}

QString InstalledVersion() {
    const std::optional<RollbackRecord> record = ReadRollbackList();
    return record && !record->installed.isEmpty() ? record->installed
                                                  : QString::fromLatin1(ProgramVersion);
}
