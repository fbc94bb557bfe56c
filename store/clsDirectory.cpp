#include "clsDirectory.h"

#include "platform.h"

namespace {
QString BoolText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}
} // namespace

void clsDirectory::SetNiceDirName(const QString &name) {
    niceDirName = name;
    compDirName = platform::ComparablePath(name);
}

QString clsDirectory::toString(const QString &base) const {
    QString name = niceDirName;
    if (!base.isEmpty() && compDirName.startsWith(platform::ComparablePath(base)))
        name = niceDirName.mid(base.size());
    const QLatin1Char bar('|');
    return name + bar + Patterns + bar + BoolText(IncludeSubdirs) + bar + BoolText(Selected) + bar +
           BoolText(Processed);
}
