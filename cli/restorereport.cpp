#include "restorereport.h"

#include "commandline.h"

void PrintRestoreReport(const RestoreResult &result, bool withProgram) {
    PrintLine(QStringLiteral("Restore Finished!"));
    PrintLine(RestoreSummaryLine(result));
    PrintLine(QStringLiteral("Substituted Files : ") + result.substitutedLabel);
    for (const QString &entry : result.substituted + result.shortened)
        PrintLine(entry);
    PrintLine(QStringLiteral("Unrestored Files : ") + result.unrestoredLabel);
    for (const QString &entry : result.unrestored)
        PrintLine(entry);
    if (withProgram)
        PrintLine(QStringLiteral("Program And Information Files : ") +
                  (result.programRestored
                       ? QStringLiteral("Restored")
                       : QStringLiteral("Not Restored, no medium could be found")));
}
