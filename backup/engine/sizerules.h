#pragma once
// The space a file takes on a medium.

// The cluster rule: the whole clusters below the length plus one more, even for an exact
// multiple; 0 for an empty file. Bytes in, bytes out.
double ClusterBytes(double lengthBytes, double clusterBytes);

// The cluster rule in kilobytes, not rounded.
double SizeOnDiskKB(double lengthBytes, double clusterBytes);

// The cluster rule rounded to whole kilobytes (half to even), as the program files, the
// information file and zipped copies are counted. A missing file (-1) takes no space.
double SizeOnDiskWholeKB(double lengthBytes, double clusterBytes);
