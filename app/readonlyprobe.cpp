#include "readonlyprobe.h"

#include "platform.h"
#include "statuslog.h"

#include <QFile>
#include <QFileInfo>

namespace {

QString FreeProbeName(const QString &dir) {
    QString name = dir + QStringLiteral("test");
    for (int n = 1; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n)
        name = dir + QStringLiteral("test") + QString::number(n);
    return name;
}

} // namespace

bool CanWriteTo(const QString &dir) {
    const QString name = FreeProbeName(dir);
    QFile probe(name);
    // NewOnly: should a file of that name appear meanwhile, it is left alone.
    if (!probe.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        StatusPrint(QStringLiteral("Cannot write to ") + dir + QStringLiteral(": ") +
                    platform::ErrorWasText(platform::LastFileError()));
        return false;
    }
    probe.close();
    if (!probe.remove()) {
        StatusPrint(QStringLiteral("Cannot remove the probe file ") + name);
        return false;
    }
    return true;
}
