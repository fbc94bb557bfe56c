#include "statscommand.h"

#include "inioption.h"
#include "model.h"
#include "statistics.h"

int RunStats(const CommandLine &line) {
    return ReportOnProgramIniFile(line, QStringLiteral("stats"), [] {
        for (const QString &text : StatisticsLines(WorkOutStatistics(TheModel())))
            PrintLine(text);
    });
}
