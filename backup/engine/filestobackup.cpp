#include "filestobackup.h"

#include "model.h"

QStringList FilesToBackupList(const Model &model) {
    const QString indent(12, QLatin1Char(' '));
    QStringList done{QStringLiteral("Files already backed up :")};
    QStringList waiting{QString(), QStringLiteral("Files to be backed up :")};
    for (const FileRecord &file : model.Files) {
        if (!file.ToBackUp)
            continue;
        (file.Placed ? done : waiting).append(indent + file.Path + file.Name);
    }
    return done + waiting;
}
