#pragma once
// The text of the "View list of files to backup" window: what the running backup has written
// and what it still has to write.

#include "model.h"

#include <QStringList>

QStringList FilesToBackupList(const Model &model);
