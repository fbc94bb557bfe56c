// The tally of the files the run gives up or leaves partly written.

#include "restorerun.h"

#include "model.h"
#include "platform.h"

void RestoreRun::GiveUp(int index, const char *message) {
    const FileRecord &f = model.Files[index];
    FileWork &w = work[index];
    selection.Files()[index].Ticked = false;
    ++processed;
    ++unrestoredCount;
    result.unrestored.append(f.Name + QLatin1String(message) + f.Path);
    doneSize -= w.BytesRestored / 1024;
    w.BytesRestored = 0;
}

void RestoreRun::AddPartial(const QString &path) {
    for (const QString &entry : partial)
        if (platform::PathsEqual(entry, path))
            return;
    partial.append(path);
}

void RestoreRun::RemovePartial(const QString &path) {
    for (qsizetype i = 0; i < partial.size(); ++i) {
        if (platform::PathsEqual(partial[i], path)) {
            // The last entry takes the removed one's place.
            partial[i] = partial.last();
            partial.removeLast();
            return;
        }
    }
}
