#include "listednames.h"

#include <QHash>

QSet<QString> SharedNames(const Model &model) {
    QHash<QString, int> seen;
    QSet<QString> shared;
    for (const FileRecord &file : model.Files) {
        if (file.Name.isEmpty())
            continue;
        // Names that differ only in case look the same in a list.
        const QString key = file.Name.toLower();
        if (++seen[key] == 2)
            shared.insert(key);
    }
    return shared;
}

QString ListedName(const FileRecord &file, bool nameShared) {
    if (!nameShared)
        return file.Name;
    return file.Name + QStringLiteral(" (") + file.Path + QLatin1Char(')');
}

QString ListedName(const FileRecord &file, const QSet<QString> &sharedNames) {
    return ListedName(file, sharedNames.contains(file.Name.toLower()));
}
