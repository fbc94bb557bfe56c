#include "detailstext.h"

#include "historyrows.h"
#include "textutil.h"

namespace {

QString Number(qint64 value) {
    return QString::number(value);
}

} // namespace

BackupDetailTexts BackupDetails(int backup) {
    const Model &model = TheModel();
    const QString none = QString::fromLatin1(NoDetail);
    if (backup < 0 || backup > model.BackupsLast()) {
        return {none,
                none,
                none,
                none,
                none,
                none,
                none,
                none,
                QStringLiteral("First Media :"),
                QStringLiteral("Number Of Media Used :")};
    }
    const BackupRecord &b = model.Backups[backup];
    return {Number(backup + 1),
            b.SetDate,
            Number(b.FirstMedium + 1),
            b.MediaName,
            Number(MediaCountOfBackup(backup)),
            MediaSizeText(b),
            WriteMethodText(b),
            YesNoText(b.FreshPoint),
            QStringLiteral("First ") + b.MediaName + QStringLiteral(" :"),
            QStringLiteral("Number Of ") + b.MediaName + QStringLiteral("s Used :")};
}

FileBackupTexts FileBackupDetails(const FileRecord *file, int version) {
    if (!file || version < 0 || version > file->VersionsLast()) {
        const QString none = QString::fromLatin1(NoDetail);
        return {none, none, none, none};
    }
    VersionRecord v = file->Versions[version];
    v.ComputeLastMedium();
    // A copy that is not spanned lies on one medium and spans no other.
    const int spanLength = v.Spanned ? qMax(v.SpanLength, 0) : 0;
    return {MediaDescriptor(v.MediumIndex, v.LastMedium) + Number(v.MediumIndex + 1),
            FormatSize(v.Size), YesNoText(v.Spanned), Number(spanLength)};
}

QString BackupFileText(const FileRecord &file, int version, const QString &name) {
    const VersionRecord &v = file.Versions[version];
    return MediaDescriptor(v.MediumIndex, v.MediumIndex) + name + QStringLiteral(", On Media ") +
           MediaRangeText(v);
}
