// pellmoor: the backup and restore engines without windows, for schedulers, scripts and
// benchmarks.

#include "backupcommand.h"
#include "commandline.h"
#include "detailscommand.h"
#include "exportcommand.h"
#include "restorecommand.h"
#include "statscommand.h"
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
    "      --create-folder   make the backup folder when it does not exist (else the\n"
    "                        run fails: the folder may be on a disk not connected)\n"
    "  restore --from DIR|--current [--ini FILE] --to DIR [options]\n"
    "                                 restore from the most recent medium found from DIR,\n"
    "                                 or with the program's own information file, into\n"
    "                                 the empty directory --to\n"
    "      --type 0   all files (latest versions) and the program with information files\n"
    "      --type 1   all files with their latest versions (the default)\n"
    "      --type 2   the program with information files only\n"
    "      --type 3 --files PATTERNS [--with-program]   the files whose names match\n"
    "      --flat     no directory structure      --skip-missing   skip a medium that\n"
    "                                             cannot be found (else: cancel)\n"
    "  details [--ini FILE]           the backups with their media, then every file with\n"
    "                                 its versions\n"
    "  stats [--ini FILE]             the statistics of the whole history\n"
    "\n"
    "Options:\n"
    "  --help       show this text\n"
    "  --version    show the version\n"
    "  --quiet      no progress line\n"
    "  --verbose    copy the status log to standard error\n"
    "\n"
    "Exit status: 0 success, 1 failed, cancelled or nothing to do, 2 bad usage,\n"
    "3 completed with file errors (a restore: files left unrestored).\n";

struct Command {
    const char *name;
    QStringList valueOptions;
    QStringList switches;
    int (*run)(const CommandLine &);
};

const QList<Command> &Commands() {
    static const QList<Command> commands = {
        {"export", {QStringLiteral("--format")}, {}, RunExport},
        {"backup",
         {QStringLiteral("--ini"), QStringLiteral("--media"), QStringLiteral("--size"),
          QStringLiteral("--cluster"), QStringLiteral("--write"), QStringLiteral("--dirs"),
          QStringLiteral("--patterns")},
         {QStringLiteral("--zip"), QStringLiteral("--dont-zip-poor"), QStringLiteral("--force-zip"),
          QStringLiteral("--fresh"), QStringLiteral("--skip-copy"),
          QStringLiteral("--create-folder")},
         RunBackup},
        {"restore",
         {QStringLiteral("--from"), QStringLiteral("--to"), QStringLiteral("--type"),
          QStringLiteral("--files"), QStringLiteral("--ini")},
         {QStringLiteral("--current"), QStringLiteral("--flat"), QStringLiteral("--with-program"),
          QStringLiteral("--skip-missing")},
         RunRestore},
        {"details", {QStringLiteral("--ini")}, {}, RunDetails},
        {"stats", {QStringLiteral("--ini")}, {}, RunStats},
    };
    return commands;
}

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
    QStringList valueOptions;
    for (const Command &command : Commands())
        valueOptions += command.valueOptions;
    valueOptions.removeDuplicates();
    const CommandLine line = ParseCommandLine(app.arguments().mid(1), valueOptions);
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
    if (line.command.isEmpty())
        return UsageError(QStringLiteral("no command given"));
    for (const Command &command : Commands()) {
        if (line.command != QLatin1String(command.name))
            continue;
        // A mistyped option must not quietly mean a different run.
        const QString unknown = UnknownOption(line, command.valueOptions + command.switches);
        if (!unknown.isEmpty())
            return UsageError(line.command + QStringLiteral(" does not take ") + unknown);
        if (line.Has(QStringLiteral("--verbose")))
            CopyStatusLogToStandardError();
        return command.run(line);
    }
    return UsageError(QStringLiteral("unknown command '") + line.command + QLatin1Char('\''));
}
