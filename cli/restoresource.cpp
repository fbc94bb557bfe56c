#include "restoresource.h"

#include "inioption.h"
#include "mediuminifile.h"
#include "model.h"
#include "programini.h"
#include "prompt.h"
#include "textutil.h"

#include <QFileInfo>

bool LoadRestoreSource(const RestoreRequest &request, const CommandLine &line,
                       PossibleDrives &drives, QString &loadedDirectory) {
    drives.Clear();
    drives.AddSystemDrives();
    if (request.current) {
        if (!LoadProgramIniFile(line))
            return false;
        loadedDirectory = AddSlashed(QFileInfo(ProgramIniPath()).absolutePath());
        // The window would leave the search to the drives; on a machine whose media are folders
        // on its own disk they lie where the backups are written.
        drives.AddBackupFolder(TheModel().Settings.BackupDirectory);
    } else {
        const RestoreFromState state = PopRestDir(drives, request.from);
        if (!state.valid) {
            MsgBox(QString::fromLatin1(NotRestoreDirText));
            return false;
        }
        loadedDirectory = state.directory;
        ResetSettings();
        if (!LoadMediumIniFile(TheModel(), loadedDirectory))
            return false;
    }
    if (TheModel().FilesLast() == -1) {
        MsgBox(QString::fromLatin1(NoFilesToRestoreMessage));
        return false;
    }
    return true;
}
