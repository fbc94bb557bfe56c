// The program and its information file, copied from the most recent medium reached.

#include "restorerun.h"

#include "programfiles.h"
#include "textutil.h"

#include <QFile>
#include <QFileInfo>

void RestoreProgIni(const QString &sourceDir, const QString &destinationDir, RestoreView &view) {
    const QString source = AddSlashed(sourceDir);
    const QString destination = AddSlashed(destinationDir);
    QStringList names;
    for (const ProgramFile &file : ProgramFiles())
        names.append(file.name);
    names.append(QStringLiteral("Backup.Ini"));
    for (const QString &name : names) {
        view.SetRestoring(source + name);
        view.SetTo(destination + name);
        view.SetBars(0, 0);
        // Failures are passed over: the files restored so far are what matters.
        if (!QFileInfo(source + name).isFile())
            continue;
        QFile::remove(destination + name);
        QFile::copy(source + name, destination + name);
    }
}
