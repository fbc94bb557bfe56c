#include "packagefile.h"

#include "platform.h"

#include <QFile>

QString PackagePathFrom(const QString &argument) {
    QString path = argument.trimmed();
    if (path.startsWith(QLatin1Char('"')))
        path.remove(0, 1);
    if (path.endsWith(QLatin1Char('"')))
        path.chop(1);
    if (!path.contains(platform::Separator()))
        path.prepend(platform::ProgramDirectory());
    return path;
}

void DeletePackage(const QString &path) {
    if (path.endsWith(QStringLiteral(".Upk"), Qt::CaseInsensitive))
        QFile::remove(path);
}
