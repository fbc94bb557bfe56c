#include "customcheck.h"

#include "mediumtypes.h"
#include "storabletext.h"

#include <cmath>

namespace {

// A number as a person types it: spaces around it allowed, '.' as the decimal point.
bool ReadNumber(const QString &text, double &value) {
    bool ok = false;
    value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value);
}

constexpr double MinSizeMB = 10;
constexpr double MaxSizeGB = 1024;
constexpr double MinCluster = 512;
constexpr double MaxCluster = 16384;

QString NumberText(double value) {
    return QString::number(value, 'g', 15);
}

} // namespace

QString CustomProblems(const CustomFields &fields) {
    QString problems;
    if (fields.size != QLatin1String(TrialWord)) {
        double size = 0;
        if (!ReadNumber(fields.size, size)) {
            problems += QStringLiteral("The media size must be a number!");
        } else {
            // Both limits hold whichever unit is chosen: 0.005 GB is as unusable as 5 MB.
            const double sizeMB = fields.gigabytes ? size * 1024 : size;
            if (sizeMB < MinSizeMB)
                problems += QStringLiteral("The media size must be greater than 10MB!");
            else if (sizeMB > MaxSizeGB * 1024)
                problems += QStringLiteral("The media size must be smaller than 1024GB!");
        }
        // The name is stored in the information file, which cannot hold these.
        if (!StorableText(fields.name))
            problems += UnstorableMessage(QStringLiteral("The media name"), fields.name);
    }
    double cluster = 0;
    if (!ReadNumber(fields.cluster, cluster))
        problems += QStringLiteral("The cluster size must be a number!");
    else if (cluster < MinCluster)
        problems += QStringLiteral("The cluster size must be greater than 512B!");
    else if (cluster > MaxCluster)
        problems += QStringLiteral("The cluster size must be smaller than 16384B!");
    return problems;
}

void ApplyCustom(const CustomFields &fields, SettingsRecord &settings) {
    settings.MediaKind = CustomMediumKind;
    if (fields.size == QLatin1String(TrialWord)) {
        settings.MediaSize = 10 * 1024.0;
        settings.ClusterSize = 2048;
        settings.MediaName = QString::fromLatin1(TrialMediumName);
        return;
    }
    double size = 0, cluster = 0;
    ReadNumber(fields.size, size);
    ReadNumber(fields.cluster, cluster);
    settings.MediaSize = size * 1024 * (fields.gigabytes ? 1024 : 1);
    settings.ClusterSize = cluster;
    settings.MediaName = fields.name;
}

CustomFields CustomFieldsOf(const SettingsRecord &settings) {
    CustomFields fields;
    if (settings.MediaSize > 0) {
        const double sizeMB = settings.MediaSize / 1024;
        fields.gigabytes = sizeMB >= 1024;
        fields.size = NumberText(fields.gigabytes ? sizeMB / 1024 : sizeMB);
    }
    if (settings.ClusterSize > 0)
        fields.cluster = NumberText(settings.ClusterSize);
    if (!settings.MediaName.isEmpty())
        fields.name = settings.MediaName;
    return fields;
}
