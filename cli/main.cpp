// pellmoor: the backup engines without windows, for schedulers, scripts and benchmarks.

#include "backupcommand.h"
#include "cliprompt.h"
#include "commandline.h"
#include "exportcommand.h"
#include "statuslog.h"
#include "version.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

const char HelpText[] =
    "Usage: pellmoor [--quiet] [--verbose] COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  export SRC DEST [--format N]   load the information file SRC and write it to DEST\n"
    "                                 in format N (0 to 8, default 8)\n"
    "  backup [--ini FILE] [options]  one backup run of every directory and include-all\n"
    "                                 pattern (default file: Backup.Ini beside the program)\n"
    "      --media cd650|cd700|dvd|dvd-dl|nolimit|custom   --size KB --cluster BYTES\n"
    "      --write one-by-one|all-at-once   --zip --dont-zip-poor --force-zip\n"
    "      --fresh --skip-copy   --dirs 1,3 --patterns 2 (rows, from 1)\n"
    "\n"
    "Options:\n"
    "  --help       show this text\n"
    "  --version    show the version\n"
    "  --quiet      no progress line\n"
    "  --verbose    copy the status log to standard error\n"
    "\n"
    "Exit status: 0 success, 1 failed, cancelled or nothing to do, 2 bad usage,\n"
    "3 completed with file errors.\n";

void CopyStatusLogToStandardError() {
    QObject::connect(&StatusLog::Instance(), &StatusLog::Printed, [](const QString &entry) {
        std::fprintf(stderr, "%s", entry.toLocal8Bit().constData());
        if (!entry.endsWith(QLatin1Char('\n')))
            std::fprintf(stderr, "\n");
    });
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QStringList words = app.arguments().mid(1);
    const CommandLine line = ParseCommandLine(
        words, {QStringLiteral("--format"), QStringLiteral("--ini"), QStringLiteral("--media"),
                QStringLiteral("--size"), QStringLiteral("--cluster"), QStringLiteral("--write"),
                QStringLiteral("--dirs"), QStringLiteral("--patterns")});
    if (!line.error.isEmpty())
        return UsageError(line.error);
    if (line.Has(QStringLiteral("--help"))) {
        std::fputs(HelpText, stdout);
        return 0;
    }
    if (line.Has(QStringLiteral("--version"))) {
        std::printf("pellmoor %s\n", ProgramVersion);
        return 0;
    }
    if (line.Has(QStringLiteral("--verbose")))
        CopyStatusLogToStandardError();
    if (line.command == QLatin1String("backup"))
        return RunBackup(line);
    CliPrompt prompt;
    if (line.command == QLatin1String("export"))
        return RunExport(line);
    if (line.command.isEmpty())
        return UsageError(QStringLiteral("no command given"));
    return UsageError(QStringLiteral("unknown command '") + line.command + QLatin1Char('\''));
}
