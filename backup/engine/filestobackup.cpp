#include "filestobackup.h"

#include "model.h"

QStringList FilesToBackupList(const Model &model, const BackupControl &control) {
    const QString indent(12, QLatin1Char(' '));
    QStringList done{QStringLiteral("Files already backed up :")};
    QStringList waiting{QString(), QStringLiteral("Files to be backed up :")};
    const BackupFiles none;
    const BackupFiles &work = control.files ? *control.files : none;
    for (int i = 0; i < int(work.size()) && i < model.Files.size(); ++i) {
        if (!work[i].ToBackUp)
            continue;
        const FileRecord &file = model.Files[i];
        (work[i].Placed ? done : waiting).append(indent + file.Path + file.Name);
    }
    return done + waiting;
}
