// The folder where zipped copies are put together: the loaded TempDirectory when it can be
// made and written (the information file may come from another machine), else a private
// folder in the system's temporary folder.

#include "restorerun.h"

#include "model.h"
#include "platform.h"
#include "textutil.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTemporaryFile>

namespace {

bool Writable(const QString &folder) {
    QTemporaryFile probe(folder + QStringLiteral("probe-XXXXXX"));
    return probe.open();
}

} // namespace

QString RestoreRun::WorkFolder() {
    if (!workFolder.isEmpty())
        return workFolder;
    const QString temp = AddSlashed(TheModel().Settings.TempDirectory);
    if (platform::IsAbsolutePath(temp) && QDir().mkpath(temp) && Writable(temp))
        return workFolder = temp;
    // A shared folder gets a private subfolder: fixed names there could be taken over by others.
    systemTemp =
        std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/pellmoor-XXXXXX"));
    if (systemTemp->isValid())
        return workFolder = AddSlashed(systemTemp->path());
    return workFolder = AddSlashed(QDir::tempPath());
}
