#pragma once
// Sorts file records by Size, largest first: selection sort for short ranges, merge sort above.
// Among equal sizes the merge takes the second run's records first, so the order of equal files
// is not their listing order.

#include "model.h"

#include <QList>

#include <functional>

// Sorts files[first..last]. Returns at once when the cancel flag is set; yield is called on
// every step so that the caller can let window events run.
void MergeSortFiles(QList<FileRecord> &files, int first, int last,
                    const std::function<void()> &yield = {});
