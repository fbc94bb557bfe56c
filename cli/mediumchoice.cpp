#include "mediumchoice.h"

namespace {

struct MediumType {
    const char *word;
    int kind;
    const char *name;
    double sizeKB;
    double cluster;
};

// The sizes are what a disc really holds, not what its label says.
constexpr MediumType Types[] = {
    {"cd650", 0, "CD", 619 * 1024.0, 2048},    {"cd700", 1, "CD", 667 * 1024.0, 2048},
    {"dvd", 2, "DVD", 4474.88 * 1024.0, 2048}, {"dvd-dl", 3, "DVD", 8960 * 1024.0, 2048},
    {"nolimit", 5, "HDD", -1, 16384},
};

// The window's limits for a custom medium: from 10 MB to 1024 GB.
constexpr double MinCustomKB = 10 * 1024.0;
constexpr double MaxCustomKB = 1024 * 1024 * 1024.0;

} // namespace

QString ApplyMediumChoice(SettingsRecord &settings, const QString &media, const QString &sizeKB,
                          const QString &clusterBytes) {
    if (media.isEmpty())
        return QString();
    for (const MediumType &type : Types) {
        if (media != QLatin1String(type.word))
            continue;
        settings.MediaKind = type.kind;
        settings.MediaName = QString::fromLatin1(type.name);
        settings.MediaSize = type.sizeKB;
        settings.ClusterSize = type.cluster;
        if (type.sizeKB < 0)
            settings.WriteAllAtOnce = true; // a hard-disk backup is one folder, no prompts
        return QString();
    }
    if (media != QLatin1String("custom"))
        return QStringLiteral("--media takes cd650, cd700, dvd, dvd-dl, nolimit or custom");
    bool sizeOk = false, clusterOk = false;
    const double size = sizeKB.toDouble(&sizeOk);
    const double cluster = clusterBytes.isEmpty() ? 16384 : clusterBytes.toDouble(&clusterOk);
    // Written this way round so that "nan", which no comparison holds for, fails them too.
    if (!sizeOk || !(size >= MinCustomKB && size <= MaxCustomKB))
        return QStringLiteral("--size takes the medium's size in kilobytes, from 10240 to "
                              "1073741824 (1024 GB)");
    if (!clusterBytes.isEmpty() && (!clusterOk || !(cluster >= 512 && cluster <= 16384)))
        return QStringLiteral("--cluster takes a cluster size from 512 to 16384 bytes");
    settings.MediaKind = 4;
    settings.MediaName = QStringLiteral("Custom");
    settings.MediaSize = size;
    settings.ClusterSize = cluster;
    return QString();
}
