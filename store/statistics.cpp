#include "statistics.h"

#include "textutil.h"

#include <QStringList>

#include <cmath>

namespace {

// The cluster size of the backup that holds a copy; the current setting when the record points
// nowhere (a damaged or hand-edited file).
double ClusterOf(const Model &model, const VersionRecord &version) {
    if (version.BackupIndex >= 0 && version.BackupIndex <= model.BackupsLast())
        return model.Backups[version.BackupIndex].ClusterSize;
    return model.Settings.ClusterSize;
}

QString SizeOrDashes(double kilobytes, qint64 count) {
    return count > 0 ? FormatSize(kilobytes / double(count)) : QStringLiteral("---");
}

QString Percent(const QString &figure) {
    return figure == QLatin1String("---") ? figure : figure + QLatin1Char('%');
}

} // namespace

double StatisticsSizeOnDiskKB(double lengthBytes, double clusterBytes) {
    if (lengthBytes <= 0)
        return 0;
    if (clusterBytes <= 0)
        return lengthBytes / 1024;
    return (lengthBytes - std::fmod(lengthBytes, clusterBytes) + clusterBytes) / 1024;
}

Statistics WorkOutStatistics(const Model &model) {
    Statistics stats;
    stats.Files = model.FilesLast() + 1;
    stats.Backups = model.BackupsLast() + 1;
    for (const FileRecord &file : model.Files) {
        stats.TotalVersions += file.VersionsLast() + 1;
        for (const VersionRecord &version : file.Versions) {
            const double cluster = ClusterOf(model, version);
            const double plain = version.Size;
            const double plainOnDisk = StatisticsSizeOnDiskKB(version.Size * 1024, cluster);
            stats.TotalSize += plain;
            stats.TotalSizeOnDisk += plainOnDisk;
            if (!version.Zipped)
                continue;
            ++stats.ZippedVersions;
            stats.TotalZippedSize += version.ZippedSize;
            stats.TotalZippedSizeOnDisk +=
                StatisticsSizeOnDiskKB(version.ZippedSize * 1024, cluster);
            stats.UnzippedSizeOfZipped += plain;
            stats.UnzippedSizeOnDiskOfZipped += plainOnDisk;
        }
    }
    return stats;
}

QString TwoDecimalText(double numerator, double denominator, double factor) {
    if (denominator == 0 || !std::isfinite(numerator) || !std::isfinite(denominator))
        return QStringLiteral("---");
    const double hundredths = numerator / denominator * factor * 100;
    // 29 / 100 * 100 comes out a hair under 29; cutting that would show 28.99.
    const double slack = 1e-9 * std::max(1.0, std::fabs(hundredths));
    const double cut = std::trunc(hundredths + (hundredths < 0 ? -slack : slack));
    return DoubleText(cut / 100);
}

QStringList StatisticsLines(const Statistics &s) {
    const QString files = QString::number(s.Files);
    const QString total = QString::number(s.TotalVersions);
    const double zipped = s.UnzippedSizeOfZipped;
    const double zippedOnDisk = s.UnzippedSizeOnDiskOfZipped;
    return {
        QStringLiteral("Files Backed Up                   : ") + files,
        QStringLiteral("Total Files Backed Up             : ") + total,
        QStringLiteral("Excess Files Backed Up            : ") +
            QString::number(s.ExcessVersions()),
        QString(),
        QStringLiteral("Total Size                        : ") + FormatSize(s.TotalSize),
        QStringLiteral("Total Size On Disk                : ") + FormatSize(s.TotalSizeOnDisk),
        QStringLiteral("Total Zipped Size                 : ") + FormatSize(s.TotalZippedSize),
        QStringLiteral("Total Zipped Size On Disk         : ") +
            FormatSize(s.TotalZippedSizeOnDisk),
        QString(),
        QStringLiteral("Percent Of Files Zipped           : ") +
            Percent(TwoDecimalText(double(s.ZippedVersions), double(s.TotalVersions), 100)),
        QStringLiteral("Percent Of Space Saved            : ") +
            Percent(TwoDecimalText(zipped - s.TotalZippedSize, zipped, 100)),
        QStringLiteral("Percent Of Space Saved On Disk    : ") +
            Percent(TwoDecimalText(zippedOnDisk - s.TotalZippedSizeOnDisk, zippedOnDisk, 100)),
        QString(),
        QStringLiteral("Average Times A File Is Backed Up : ") +
            TwoDecimalText(double(s.TotalVersions), double(s.Files)),
        QStringLiteral("Average File Size                 : ") + SizeOrDashes(s.TotalSize, s.Files),
        QStringLiteral("Average Size On Disk              : ") +
            SizeOrDashes(s.TotalSizeOnDisk, s.Files),
        QStringLiteral("Average Files Per Backup          : ") +
            TwoDecimalText(double(s.TotalVersions), double(s.Backups)),
    };
}

QString StatisticsReport(const Statistics &s) {
    return QString(50, QLatin1Char('\r')) + StatisticsLines(s).join(QStringLiteral("\r\n"));
}
