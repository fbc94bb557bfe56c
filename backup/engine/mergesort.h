#pragma once
// Sorts file records by their run's size, largest first: selection sort for short ranges, merge
// sort above. Among equal sizes the merge takes the second run's records first, so the order of
// equal files is not their listing order.

#include "backupfile.h"
#include "model.h"

#include <QList>

#include <functional>

// Sorts files[first..last] and the run's records beside them (work[i] belongs to files[i]) by
// work's SizeKB. Returns at once, leaving both as they were, when the cancel flag is set; yield is
// called on every step so that the caller can let window events run.
void MergeSortFiles(QList<FileRecord> &files, BackupFiles &work, int first, int last,
                    const std::function<void()> &yield = {});
