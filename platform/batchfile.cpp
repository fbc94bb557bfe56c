#include "batchfile.h"

namespace platform {

bool IsBatchFile(const QString &path) {
    return path.endsWith(QLatin1String(".bat"), Qt::CaseInsensitive) ||
           path.endsWith(QLatin1String(".sh"), Qt::CaseInsensitive);
}

} // namespace platform
