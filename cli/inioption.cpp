#include "inioption.h"

#include "infofile.h"
#include "programini.h"

bool LoadProgramIniFile(const CommandLine &line) {
    if (line.Has(QStringLiteral("--ini")))
        SetProgramIniPath(line.Value(QStringLiteral("--ini")));
    return LoadIniFile(ProgramIniPath(), false);
}
