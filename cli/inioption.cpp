#include "inioption.h"

#include "cliprompt.h"
#include "infofile.h"
#include "programini.h"

bool LoadProgramIniFile(const CommandLine &line) {
    if (line.Has(QStringLiteral("--ini")))
        SetProgramIniPath(line.Value(QStringLiteral("--ini")));
    return LoadIniFile(ProgramIniPath(), false);
}

int ReportOnProgramIniFile(const CommandLine &line, const QString &command,
                           const std::function<void()> &report) {
    if (!line.arguments.isEmpty())
        return UsageError(command + QStringLiteral(" takes no plain arguments"));
    CliPrompt prompt;
    if (!LoadProgramIniFile(line))
        return 1;
    report();
    return 0;
}
