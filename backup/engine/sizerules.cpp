#include "sizerules.h"

#include <cmath>

double ClusterBytes(double lengthBytes, double clusterBytes) {
    if (lengthBytes <= 0)
        return 0;
    if (clusterBytes <= 0)
        return lengthBytes;
    return lengthBytes - std::fmod(lengthBytes, clusterBytes) + clusterBytes;
}

double SizeOnDiskKB(double lengthBytes, double clusterBytes) {
    return ClusterBytes(lengthBytes, clusterBytes) / 1024;
}

double SizeOnDiskWholeKB(double lengthBytes, double clusterBytes) {
    // nearbyint rounds in the default mode, half to even.
    return std::nearbyint(SizeOnDiskKB(lengthBytes, clusterBytes));
}
