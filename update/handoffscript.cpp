#include "handoffscript.h"

#include "platform.h"

#include <QDir>
#include <QProcess>
#include <QSaveFile>

namespace {

const char ScriptName[] = "aofc09n2.bat";
const char PackageName[] = "Backup.Upk";

#ifdef Q_OS_WIN
QByteArray Local(const QString &text) {
    return text.toLocal8Bit();
}
#else
// A path as one sh word, whatever it holds: quotes, blanks and '$' stay themselves.
QByteArray Quoted(const QString &text) {
    QByteArray quoted = text.toUtf8();
    quoted.replace('\'', "'\\''");
    return '\'' + quoted + '\'';
}
#endif

} // namespace

QString HandOffScriptPath() {
    return QDir::current().absoluteFilePath(QString::fromLatin1(ScriptName));
}

QByteArray HandOffScriptText(const QString &programDirectory, const QString &scriptPath,
                             bool forced) {
    // The updater refuses a package that is not newer unless it is told the user forced it.
    const QByteArray updater = forced ? QByteArray("Refitter -force ") : QByteArray("Refitter ");
#ifdef Q_OS_WIN
    const QByteArray crlf = "\r\n";
    return Local(programDirectory.left(2)) + crlf + "@echo off" + crlf + "cd \\" + crlf + "cd \"" +
           Local(QDir::toNativeSeparators(programDirectory)) + '"' + crlf + updater + PackageName +
           crlf + "echo * > " + ScriptName + crlf;
#else
    // The updater is started in the background, so that it outlives both this script and the
    // program; it waits for the program to end before it touches a file.
    return "cd " + Quoted(programDirectory) + " || exit 1\n" + "nohup ./" + updater + PackageName +
           " >/dev/null 2>&1 &\n" + "echo '*' > " + Quoted(scriptPath) + '\n';
#endif
}

bool StartHandOff(const QString &programDirectory, const QString &scriptPath, bool forced) {
    QSaveFile script(scriptPath);
    if (!script.open(QIODevice::WriteOnly) ||
        script.write(HandOffScriptText(programDirectory, scriptPath, forced)) < 0 ||
        !script.commit())
        return false;
#ifdef Q_OS_WIN
    return platform::StartDetached(scriptPath, {}, QDir::currentPath());
#else
    return QProcess::startDetached(QStringLiteral("sh"), {scriptPath});
#endif
}
