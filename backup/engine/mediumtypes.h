#pragma once
// The medium types a backup is written for, as the wizard offers them and the command line
// names them. Index 4 ("Custom") takes its values from the user, so it has none here.

#include "model.h"

#include <QString>

struct MediumType {
    const char *caption; // the wizard's option button
    const char *word;    // the command line's --media word; nullptr for "Custom"
    int kind;            // MediaKind
    const char *name;    // MediaName
    double sizeKB;       // MediaSize; -1 for no limit
    double cluster;      // ClusterSize in bytes
};

inline constexpr int MediumTypeCount = 6;
inline constexpr int CustomMediumKind = 4;
inline constexpr int NoLimitMediumKind = 5;

// The type of option index 0 to 5.
const MediumType &MediumTypeAt(int index);

// Stores a fixed type (not "Custom") in the settings. A medium without a limit is the hard
// disk, which is written as one directory without prompts.
void ApplyMediumType(SettingsRecord &settings, int index);
