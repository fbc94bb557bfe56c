#include "mediumchoice.h"

#include "mediumtypes.h"

namespace {

// The window's limits for a custom medium: from 10 MB to 1024 GB.
constexpr double MinCustomKB = 10 * 1024.0;
constexpr double MaxCustomKB = 1024 * 1024 * 1024.0;

} // namespace

QString ApplyMediumChoice(SettingsRecord &settings, const QString &media, const QString &sizeKB,
                          const QString &clusterBytes) {
    if (media.isEmpty())
        return QString();
    for (int index = 0; index < MediumTypeCount; ++index) {
        const char *word = MediumTypeAt(index).word;
        if (word && media == QLatin1String(word)) {
            ApplyMediumType(settings, index);
            return QString();
        }
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
    settings.MediaKind = CustomMediumKind;
    settings.MediaName = QStringLiteral("Custom");
    settings.MediaSize = size;
    settings.ClusterSize = cluster;
    return QString();
}
