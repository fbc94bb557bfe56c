// The "Directories To Exclude" tab.
#include "frmSetup.h"

#include "dirlists.h"
#include "listtab.h"
#include "model.h"
#include "selectors.h"

void frmSetup::ConnectExcludes() {
    excludesTab = new ListTab(
        this, lstExclude, cmdAddEx, cmdEditEx, cmdRemoveEx, cmdCLearDirsEx,
        {.rows = ExcludeRows,
         .add = [this] { ValidateDirEx(GetDirectory(QString()), -1); },
         .edit = [this](int row) { ValidateDirEx(GetDirectory(TheModel().Excludes[row]), row); },
         .remove = RemoveDirectoryEx,
         .clear = [] { TheModel().Excludes.clear(); },
         .clearQuestion = QStringLiteral("Really clear directories?")});
}
