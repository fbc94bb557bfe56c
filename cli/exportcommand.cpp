#include "exportcommand.h"

#include "cliprompt.h"
#include "infofile.h"

int RunExport(const CommandLine &line) {
    if (line.arguments.size() != 2)
        return UsageError(QStringLiteral("export takes a source and a destination file"));
    int format = CurrentIniVersion;
    if (line.Has(QStringLiteral("--format"))) {
        bool ok = false;
        format = line.Value(QStringLiteral("--format")).toInt(&ok);
        if (!ok || format < 0 || format > CurrentIniVersion)
            return UsageError(QStringLiteral("--format takes a version from 0 to 8"));
    }
    CliPrompt prompt;
    // A missing source is reported, never created: createIfMissing is false.
    if (!LoadIniFile(line.arguments[0], false))
        return 1;
    return SaveIniFile(line.arguments[1], format) ? 0 : 1;
}
