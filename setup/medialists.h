#pragma once
// Which media are still there: the rows of the three media lists of the setup window, moving a
// medium between available and unavailable, and deleting an unavailable one for good.

#include <QStringList>

struct MediaRows {
    QStringList available;
    QStringList unavailable;
    QStringList deleted;
};

// "set date - medium of first-last" for every medium of every backup, in medium order.
MediaRows BuildMediaRows();

// Flips the medium that is row `index` of the available list (available true) or of the
// unavailable list. False, with a line in the status log, when there is no such row.
bool SwapUnAvailable(int index, bool available);

// Deletes the medium of row `index` of the unavailable list: every version stored on it goes,
// and so does every file left with no version. False when there is no such row.
bool DeleteMedium(int unavailableRow);
