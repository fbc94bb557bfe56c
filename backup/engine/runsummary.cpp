#include "runsummary.h"

namespace {

QString Files(int count) {
    return QString::number(count) +
           (count == 1 ? QStringLiteral(" file") : QStringLiteral(" files"));
}

} // namespace

QStringList SummaryLines(const RunSummary &summary) {
    QStringList lines;
    QString written = Files(summary.backedUp) + QStringLiteral(" backed up");
    if (!summary.where.isEmpty())
        written += QStringLiteral(" to ") + summary.where;
    if (summary.media > 1)
        written +=
            QStringLiteral(" (") + QString::number(summary.media) + QStringLiteral(" media)");
    lines.append(written);
    const int missing = summary.toBackUp - summary.backedUp;
    if (missing > 0) {
        const QString count = QString::number(missing) + QStringLiteral(" of ") +
                              Files(summary.toBackUp) + QStringLiteral(" not backed up");
        // After a stop the rest waits for the next backup; otherwise only errors left files out.
        lines.append((summary.stopped ? QStringLiteral("Stopped early: ")
                                      : QStringLiteral("File errors: ")) +
                     count);
    }
    if (summary.leftOut)
        lines.append(QStringLiteral("Some files or folders were left out, as the messages during "
                                    "the run said."));
    if (summary.notRecorded)
        lines.append(QStringLiteral("This backup is not recorded: the information file could not "
                                    "be saved."));
    return lines;
}
