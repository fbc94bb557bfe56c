#include "historyrows.h"

#include "datetext.h"
#include "textutil.h"

namespace {

int LastMediumOf(VersionRecord version) {
    version.ComputeLastMedium();
    return version.LastMedium;
}

QString Number(qint64 value) {
    return QString::number(value);
}

} // namespace

QList<BackupRow> BackupRows(const Model &model) {
    QList<BackupRow> rows;
    for (int b = 0; b <= model.BackupsLast(); ++b) {
        const BackupRecord &backup = model.Backups[b];
        const QString name = QLatin1Char('B') + Number(b + 1);
        rows.append({name + QStringLiteral(". ") + backup.SetDate, b, -1});
        const int first = backup.FirstMedium;
        const int last = first + MediaCountOfBackup(model, b) - 1;
        for (int m = first; m <= last; ++m) {
            QString text = QStringLiteral("- ") + MediaDescriptor(model, m, m) + name +
                           QStringLiteral(".M") + Number(m + 1) + QStringLiteral(" - ") +
                           backup.MediaName + Number(m + 1);
            if (first != last)
                text += QStringLiteral(" Of ") + Number(first + 1) + QStringLiteral(" To ") +
                        Number(last + 1);
            rows.append({text, b, m});
        }
    }
    return rows;
}

QString VersionRowText(const Model &model, const FileRecord &file, int version) {
    const VersionRecord &v = file.Versions[version];
    // A damaged file may point at a backup it does not hold; the row still shows the copy.
    const bool known = v.BackupIndex >= 0 && v.BackupIndex <= model.BackupsLast();
    const QString date = known ? model.Backups[v.BackupIndex].SetDate : QStringLiteral("---");
    const QString first =
        known ? Number(model.Backups[v.BackupIndex].FirstMedium + 1) : QStringLiteral("---");
    return Number(version + 1) + QStringLiteral(". ") +
           MediaDescriptor(model, v.MediumIndex, LastMediumOf(v)) + date +
           QStringLiteral(", First Media ") + first;
}

QString MediaRangeText(const VersionRecord &version) {
    QString text = Number(version.MediumIndex + 1);
    if (version.Spanned)
        text += QLatin1Char('-') + Number(LastMediumOf(version) + 1);
    return text;
}

QString LastBackupText(const Model &model) {
    const QDate last = model.Settings.LastBackupDate;
    if (!last.isValid())
        return QStringLiteral("Never");
    const QString date = ShortDateText(last);
    if (model.BackupsLast() >= 0 &&
        model.Backups.last().SetDate.startsWith(date + QLatin1Char(' ')))
        return model.Backups.last().SetDate;
    return date;
}

QString MediaSizeText(const BackupRecord &backup) {
    return backup.MediaSize == -1 ? QStringLiteral("No Limit") : FormatSize(backup.MediaSize);
}

QString WriteMethodText(const BackupRecord &backup) {
    if (backup.WriteAllAtOnce)
        return QStringLiteral("All At Once");
    return backup.WriteXpWay ? QStringLiteral("XP Way") : QStringLiteral("One By One");
}

QString YesNoText(bool value) {
    return value ? QStringLiteral("Yes") : QStringLiteral("No");
}
