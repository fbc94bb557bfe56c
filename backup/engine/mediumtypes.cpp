#include "mediumtypes.h"

namespace {

// The sizes are what a disc really holds, not what its label says.
constexpr MediumType Types[MediumTypeCount] = {
    {"650MB CD (619MB Space)", "cd650", 0, "CD", 619 * 1024.0, 2048},
    {"700MB CD (667MB Space)", "cd700", 1, "CD", 667 * 1024.0, 2048},
    {"4.7GB DVD (4.37GB Space)", "dvd", 2, "DVD", 4474.88 * 1024.0, 2048},
    {"9.4GB DVD (8.75GB Space)", "dvd-dl", 3, "DVD", 8960 * 1024.0, 2048},
    {"Custom", nullptr, CustomMediumKind, "", 0, 0},
    {"No Limit", "nolimit", NoLimitMediumKind, "HDD", -1, 16384},
};

} // namespace

const MediumType &MediumTypeAt(int index) {
    return Types[qBound(0, index, MediumTypeCount - 1)];
}

void ApplyMediumType(SettingsRecord &settings, int index) {
    const MediumType &type = MediumTypeAt(index);
    if (type.kind == CustomMediumKind)
        return;
    settings.MediaKind = type.kind;
    settings.MediaName = QString::fromLatin1(type.name);
    settings.MediaSize = type.sizeKB;
    settings.ClusterSize = type.cluster;
    if (type.sizeKB < 0)
        settings.WriteAllAtOnce = true;
}
