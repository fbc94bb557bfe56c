#include "runatstartup.h"

#include "model.h"
#include "platform.h"
#include "statuslog.h"

#include <QDir>
#include <QFile>
#ifdef Q_OS_WIN
#include <QProcess>
#endif
#include <QSaveFile>
#include <QStandardPaths>

namespace {

const QString ValueName = QStringLiteral("Backup");

QString ProgramPath() {
    return platform::ProgramDirectory() + platform::ExecutableName(QStringLiteral("Backup"));
}

#ifndef Q_OS_WIN
// One argument of a desktop entry's Exec line: quoted when it holds anything a shell-like
// split would break, then the string escaping every desktop-entry value gets.
QString ExecArgument(const QString &argument) {
    static const QString Reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`=");
    bool quote = false;
    for (QChar c : argument)
        quote = quote || Reserved.contains(c);
    QString text;
    for (QChar c : argument) {
        if (quote && (c == u'"' || c == u'`' || c == u'$' || c == u'\\'))
            text += u'\\';
        text += c;
    }
    if (quote)
        text = u'"' + text + u'"';
    text.replace(u'\\', QStringLiteral("\\\\"));
    text.replace(u'%', QStringLiteral("%%"));
    return text;
}

QString ExecLine() {
    return QStringLiteral("Exec=") + ExecArgument(ProgramPath()) + QStringLiteral(" -min");
}
#endif

} // namespace

QString RunValueData() {
    return ProgramPath() + QStringLiteral(" -min");
}

QString AutostartEntryPath() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/autostart/") + ValueName + QStringLiteral(".desktop");
}

#ifndef Q_OS_WIN

QString AutostartEntryText() {
    return QStringLiteral("[Desktop Entry]\nType=Application\nName=") + ValueName +
           QStringLiteral("\nComment=Quillons Pellmoor backup reminders\n") + ExecLine() +
           QStringLiteral("\nTerminal=false\nX-GNOME-Autostart-enabled=true\n");
}

bool IsInRunKey() {
    QFile entry(AutostartEntryPath());
    if (!entry.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    const QString wanted = ExecLine();
    while (!entry.atEnd()) {
        if (QString::fromUtf8(entry.readLine()).trimmed() == wanted)
            return true;
    }
    return false;
}

namespace {

void Register() {
    const QString path = AutostartEntryPath();
    QDir().mkpath(path.left(path.lastIndexOf(u'/')));
    QSaveFile entry(path);
    if (!entry.open(QIODevice::WriteOnly) || entry.write(AutostartEntryText().toUtf8()) < 0 ||
        !entry.commit())
        StatusPrint(QStringLiteral("Could not write the autostart entry ") + path);
}

void Unregister() {
    if (!QFile::remove(AutostartEntryPath()))
        StatusPrint(QStringLiteral("Could not remove the autostart entry ") + AutostartEntryPath());
}

} // namespace

#else // Windows: the reg tool keeps the program clear of the registry (untested here).

QString AutostartEntryText() {
    return QString();
}

namespace {

const QString RunKey = QStringLiteral("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");

QString ScratchPath() {
    return platform::ProgramDirectory() + QStringLiteral("tmp.tmp");
}

void Register() {
    platform::StartDetached(QStringLiteral("reg"),
                            {QStringLiteral("add"), RunKey, QStringLiteral("/v"), ValueName,
                             QStringLiteral("/t"), QStringLiteral("REG_SZ"), QStringLiteral("/d"),
                             RunValueData(), QStringLiteral("/f")});
}

void Unregister() {
    platform::StartDetached(
        QStringLiteral("reg"),
        {QStringLiteral("delete"), RunKey, QStringLiteral("/v"), ValueName, QStringLiteral("/f")});
}

} // namespace

bool IsInRunKey() {
    QFile::remove(ScratchPath());
    QProcess reg;
    reg.start(QStringLiteral("reg"), {QStringLiteral("export"), RunKey, ScratchPath()});
    reg.waitForFinished(5000);
    QFile scratch(ScratchPath());
    bool found = false;
    if (scratch.open(QIODevice::ReadOnly)) {
        const QByteArray raw = scratch.readAll();
        const QString text =
            QString::fromUtf16(reinterpret_cast<const char16_t *>(raw.constData()), raw.size() / 2);
        QString data = RunValueData();
        data.replace(u'\\', QStringLiteral("\\\\"));
        const QString wanted = u'"' + ValueName + QStringLiteral("\"=\"") + data + u'"';
        for (const QString &line : text.split(u'\n'))
            found = found || line.trimmed() == wanted;
        scratch.close();
    }
    QFile::remove(ScratchPath());
    return found;
}

#endif

void SyncRunAtStartup() {
    const bool wanted = TheModel().Settings.RunAtStartup;
    const bool registered = IsInRunKey();
    if (wanted && !registered)
        Register();
    else if (!wanted && registered)
        Unregister();
}
