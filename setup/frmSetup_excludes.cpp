// The "Directories To Exclude" tab: directories, and name patterns left out wherever they match.
#include "frmSetup.h"

#include "dirlists.h"
#include "listtab.h"
#include "model.h"
#include "patterns.h"
#include "selectors.h"

#include <QPushButton>

void frmSetup::ConnectExcludes() {
    excludesTab = new ListTab(this, lstExclude, cmdAddEx, cmdEditEx, cmdRemoveEx, cmdCLearDirsEx,
                              {.rows = ExcludeRows,
                               .add = [this] { ValidateDirEx(GetDirectory(QString()), -1); },
                               .edit =
                                   [this](int row) {
                                       const QString entry = TheModel().Excludes[row];
                                       if (IsExcludePattern(entry))
                                           ValidateExcludePattern(GetPattern(entry), row);
                                       else
                                           ValidateDirEx(GetDirectory(entry), row);
                                   },
                               .remove = RemoveDirectoryEx,
                               .clear = [] { TheModel().Excludes.clear(); },
                               .clearQuestion = QStringLiteral("Really clear directories?")});
    connect(cmdAddPattEx, &QPushButton::clicked, this, [this] {
        if (ValidateExcludePattern(GetPattern(QString()), -1))
            excludesTab->Pop();
    });
}
