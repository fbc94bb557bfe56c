// Where a piece is read from on the current medium, and when the pieces make the whole file.

#include "restorerun.h"

#include "model.h"
#include "platform.h"
#include "restorepaths.h"
#include "textutil.h"

#include <cmath>

bool RestoreRun::SafeSource(int index, const VersionRecord &v, QString &source) {
    const FileRecord &f = model.Files[index];
    const bool byDefault = v.StoredName.isEmpty();
    const QString relative =
        byDefault ? AddSlashed(platform::RelativeForm(f.Path)) + f.Name : v.StoredName;
    const bool safe = SafeFileName(f.Name) && (!byDefault || SafeAbsolutePath(f.Path)) &&
                      SafeRelativePath(relative) && mediumFolder.Holds(relative);
    source = loadedDirectory + relative;
    return safe;
}

bool RestoreRun::Completes(const FileWork &w, double bytes) const {
    // Whole only when every byte is back: a last piece of a few bytes is as much the file as
    // any other. Sizes are kept in kilobytes, exact to the byte.
    return w.ExpectedSize <= 0 || bytes >= double(std::llround(w.ExpectedSize * 1024));
}
