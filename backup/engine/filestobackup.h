#pragma once
// The text of the "View list of files to backup" window: what the running backup has written
// and what it still has to write.

#include "backupview.h"
#include "model.h"

#include <QStringList>

// Empty lists while no run goes on with control.
QStringList FilesToBackupList(const Model &model, const BackupControl &control);
