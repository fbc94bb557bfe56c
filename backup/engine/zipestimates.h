#pragma once
// Where the zip estimates are logged.

#include <QString>

// "ZipEstimates.txt" beside the information file in use (the program's own, or the one a run was
// given), never in whatever the current directory happens to be.
QString ZipEstimatesPath();
