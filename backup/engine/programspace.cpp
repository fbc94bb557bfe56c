#include "programspace.h"

#include "platform.h"
#include "sizerules.h"

#include <cmath>

double ProgramSpaceKB(double iniLengthBytes, double clusterBytes, const QList<ProgramFile> &files) {
    double space = 1.5 * SizeOnDiskWholeKB(iniLengthBytes, clusterBytes);
    for (const ProgramFile &file : files) {
        if (!file.source.isEmpty())
            space += SizeOnDiskWholeKB(double(platform::FileLength64(file.source)), clusterBytes);
    }
    space = std::floor(space);
    const double clusterKB = std::floor(clusterBytes / 1024);
    // Clusters under a kilobyte leave nothing to round to.
    if (clusterKB >= 1)
        space = std::floor(space / clusterKB) * clusterKB;
    return space + 14 * clusterBytes / 1024;
}
