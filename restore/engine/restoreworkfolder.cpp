// The folder where zipped copies are put together: a private folder the run makes itself, with
// a fresh name, inside the loaded TempDirectory when it can be made and written there, else in
// the system's temporary folder. The information file may come from another machine or from
// anyone: its TempDirectory only says where to make the private folder, never which names to
// write or delete.

#include "restorerun.h"

#include "model.h"
#include "platform.h"
#include "textutil.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

std::unique_ptr<QTemporaryDir> MakePrivateFolder(const QString &inside) {
    // Made with a name no one else holds and open to its owner only, so nothing in it was put
    // there by someone else.
    auto folder = std::make_unique<QTemporaryDir>(inside + QStringLiteral("pellmoor-XXXXXX"));
    if (!folder->isValid())
        folder.reset();
    return folder;
}

} // namespace

QString RestoreRun::WorkFolder() {
    if (privateFolder)
        return AddSlashed(privateFolder->path());
    const QString temp = AddSlashed(model.Settings.TempDirectory);
    if (platform::IsAbsolutePath(temp) && QDir().mkpath(temp))
        privateFolder = MakePrivateFolder(temp);
    if (!privateFolder)
        privateFolder = MakePrivateFolder(AddSlashed(QDir::tempPath()));
    // Empty: nowhere of its own to put a zipped copy together, and no shared name is taken.
    return privateFolder ? AddSlashed(privateFolder->path()) : QString();
}
