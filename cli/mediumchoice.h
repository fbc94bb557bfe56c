#pragma once
// The medium types a backup can be written for, as the backup wizard offers them.

#include "model.h"

#include <QString>

// Applies --media NAME (with --size KB and --cluster BYTES for "custom") to the settings.
// Returns an empty text, or what is wrong with the words.
QString ApplyMediumChoice(SettingsRecord &settings, const QString &media, const QString &sizeKB,
                          const QString &clusterBytes);
