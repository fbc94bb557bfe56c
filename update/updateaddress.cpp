#include "updateaddress.h"

#include "version.h"

QString UpdateBaseUrl() {
    QString base = qEnvironmentVariable("PELLMOOR_UPDATE_URL").trimmed();
    if (base.isEmpty())
        base = QString::fromLatin1(UpdateBaseAddress);
    // The file names are appended as they stand.
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return base;
}
