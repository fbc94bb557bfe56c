#include "programrun.h"

#include <QProcess>

Run RunProgram(const QString &program, const QStringList &arguments,
               const QProcessEnvironment &environment, const QString &workingDirectory) {
    QProcess process;
    if (!environment.isEmpty())
        process.setProcessEnvironment(environment);
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    process.start(program, arguments);
    process.closeWriteChannel();
    Run run;
    if (!process.waitForFinished(60000))
        return run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}
