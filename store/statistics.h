#pragma once
// Figures over the whole backup history: how many files and copies, how much space they take
// plain and zipped, and the averages. No widget, so the diagnostics window and `pellmoor stats`
// share it.

#include "model.h"

#include <QString>
#include <QStringList>

struct Statistics {
    qint64 Files = 0;          // last file index + 1
    qint64 TotalVersions = 0;  // every stored copy of every file
    qint64 ZippedVersions = 0; // copies stored zipped
    int Backups = 0;           // last backup index + 1

    // Kilobytes.
    double TotalSize = 0;
    double TotalSizeOnDisk = 0;
    double TotalZippedSize = 0;
    double TotalZippedSizeOnDisk = 0;
    // What the zipped copies would have taken unzipped.
    double UnzippedSizeOfZipped = 0;
    double UnzippedSizeOnDiskOfZipped = 0;

    qint64 ExcessVersions() const { return TotalVersions - Files; }
};

Statistics WorkOutStatistics(const Model &model);

// The space a copy of lengthBytes takes on a medium with that cluster size, in kilobytes: the
// whole clusters below the length plus one more; an empty copy takes none.
double StatisticsSizeOnDiskKB(double lengthBytes, double clusterBytes);

// x cut (not rounded) to two decimals, as text; an undefined figure (a division by zero)
// shows as "---".
QString TwoDecimalText(double numerator, double denominator, double factor = 1);

// One line a figure, the groups apart by an empty line, the colons lined up.
QStringList StatisticsLines(const Statistics &stats);

// The report as one log entry: a run of carriage returns to push older text out of sight, then
// the lines joined by CR LF.
QString StatisticsReport(const Statistics &stats);
