// The "Directories To Backup" tab.
#include "frmSetup.h"

#include "clsDirectory.h"
#include "dirlists.h"
#include "listtab.h"
#include "model.h"
#include "selectors.h"

void frmSetup::ConnectDirectories() {
    directoriesTab = new ListTab(this, lstDirectories, cmdAdd, cmdEdit, cmdRemove, cmdClearDirs,
                                 {.rows = DirectoryRows,
                                  .add =
                                      [this] {
                                          clsDirectory entry;
                                          entry.Patterns = QStringLiteral("*.*");
                                          entry.IncludeSubdirs = true;
                                          GetAdvancedDirectory(entry);
                                          ValidateDir(entry, -1);
                                      },
                                  .edit =
                                      [this](int row) {
                                          // The clone is edited, so a refused edit leaves the entry
                                          // as it was.
                                          clsDirectory clone = TheModel().Directories[row].Clone();
                                          GetAdvancedDirectory(clone);
                                          ValidateDir(clone, row);
                                      },
                                  .remove = RemoveDirectoryEntry,
                                  .clear = [] { TheModel().Directories.clear(); },
                                  .clearQuestion = QStringLiteral("Really clear directories?")});
}
