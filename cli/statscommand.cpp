#include "statscommand.h"

#include "cliprompt.h"
#include "inioption.h"
#include "model.h"
#include "statistics.h"

int RunStats(const CommandLine &line) {
    if (!line.arguments.isEmpty())
        return UsageError(QStringLiteral("stats takes no plain arguments"));
    CliPrompt prompt;
    if (!LoadProgramIniFile(line))
        return 1;
    for (const QString &text : StatisticsLines(WorkOutStatistics(TheModel())))
        PrintLine(text);
    return 0;
}
