#include "infofile_common.h"

#include "busyhost.h"
#include "clock.h"
#include "doevents.h"
#include "infofile.h"
#include "statuslog.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace infofile {

BusyBracket::BusyBracket() {
    if (BusyHost *host = CurrentBusyHost())
        host->BeginBusy();
}

BusyBracket::~BusyBracket() {
    if (BusyHost *host = CurrentBusyHost())
        host->EndBusy();
}

Progress::Progress(const QString &procedure, const QString &verb)
    : procedure(procedure), verb(verb) {}

void Progress::Update(qint64 index, qint64 last) {
    const qint64 now = SteadyMilliseconds();
    if (lastShown >= 0 && now - lastShown < 500)
        return;
    lastShown = now;
    Show(last > 0 ? int(index * 100 / last) : 100);
}

void Progress::Show(int percent) {
    const QString text =
        verb + QStringLiteral(" ... ") + QString::number(percent) + QLatin1Char('%');
    if (BusyHost *host = CurrentBusyHost())
        host->ShowBusyProgress(text);
    StatusPrint(procedure + QLatin1Char(' ') + text);
    DoEvents();
}

namespace {

QSet<QString> &UnreadablePaths() {
    static QSet<QString> paths;
    return paths;
}

QString Key(const QString &path) {
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

void MarkUnreadable(const QString &path) {
    UnreadablePaths().insert(Key(path));
}

void ForgetUnreadable(const QString &path) {
    UnreadablePaths().remove(Key(path));
}

bool MoveAsideIfUnreadable(const QString &path) {
    const QString key = Key(path);
    if (!UnreadablePaths().contains(key))
        return true;
    if (!QFile::exists(path)) {
        UnreadablePaths().remove(key);
        return true;
    }
    const QString aside = UnreadableIniName(path);
    if (!QFile::rename(path, aside)) {
        StatusPrint(QStringLiteral("Could not move the unreadable information file ") + path +
                        QStringLiteral(" aside to ") + aside,
                    true);
        return false;
    }
    StatusPrint(QStringLiteral("The unreadable information file ") + path +
                    QStringLiteral(" was kept as ") + aside,
                true);
    UnreadablePaths().remove(key);
    return true;
}

} // namespace infofile

QString UnreadableIniName(const QString &path) {
    const QString base =
        path + QStringLiteral(".unreadable-") + Now().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = base;
    for (int n = 2; QFile::exists(name); ++n)
        name = base + QLatin1Char('-') + QString::number(n);
    return name;
}
