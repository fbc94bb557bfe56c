// Untested: written for the Windows build, never compiled here.
#include "batchfile.h"
#include "platform.h"

#include <QDir>
#include <QProcess>

#include <windows.h>

namespace platform {

bool StartDetached(const QString &program, const QStringList &arguments,
                   const QString &workingDirectory) {
    QProcess process;
    if (IsBatchFile(program)) {
        process.setProgram(QStringLiteral("cmd.exe"));
        process.setArguments(QStringList{QStringLiteral("/c"), QDir::toNativeSeparators(program)} +
                             arguments);
    } else {
        process.setProgram(program);
        process.setArguments(arguments);
    }
    process.setWorkingDirectory(workingDirectory);
    // Programs and batch files are started in a minimised window that does not take the focus.
    process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments *args) {
        args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        args->startupInfo->wShowWindow = SW_SHOWMINNOACTIVE;
    });
    return process.startDetached();
}

} // namespace platform
