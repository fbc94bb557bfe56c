#include "batchfile.h"
#include "platform.h"

#include <QProcess>

namespace platform {

bool StartDetached(const QString &program, const QStringList &arguments,
                   const QString &workingDirectory) {
    // The scripts the program writes carry no execute bit and may be named ".bat".
    if (IsBatchFile(program))
        return QProcess::startDetached(QStringLiteral("/bin/sh"), QStringList{program} + arguments,
                                       workingDirectory);
    return QProcess::startDetached(program, arguments, workingDirectory);
}

} // namespace platform
