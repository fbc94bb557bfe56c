#include "backupcommand.h"

#include "backuprun.h"
#include "cliprompt.h"
#include "inioption.h"
#include "mediumchoice.h"
#include "model.h"
#include "terminalprogress.h"
#include "unattendedanswers.h"

#include <cstdio>

namespace {

// The progress of the run as one line on the terminal.
class TerminalBackupView : public BackupView {
public:
    explicit TerminalBackupView(TerminalProgress &progress) : progress(progress) {}
    void SetStage(const QString &caption, const QString &counter) override {
        stage = caption;
        SetCounter(counter);
    }
    void SetCounter(const QString &counter) override {
        progress.Show(stage + QLatin1Char(' ') + counter);
    }
    void SetCopyLabel(const QString &text) override {
        progress.Show(stage + QLatin1Char(' ') + text);
    }

private:
    TerminalProgress &progress;
    QString stage;
};

// "1,3" -> {0, 2}; false when a row is not a number between 1 and count.
bool ParseRows(const QString &text, int count, QList<int> &rows) {
    rows.clear();
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int row = part.trimmed().toInt(&ok);
        if (!ok || row < 1 || row > count)
            return false;
        if (!rows.contains(row - 1))
            rows.append(row - 1);
    }
    return !rows.isEmpty();
}

} // namespace

int RunBackup(const CommandLine &line) {
    if (!line.arguments.isEmpty())
        return UsageError(QStringLiteral("backup takes no plain arguments"));
    CliPrompt prompt;
    // A run cancelled by an answer says so last, after the question that led to it.
    bool cancelledByAnswer = false;
    bool folderRefused = false;
    const bool createFolder = line.Has(QStringLiteral("--create-folder"));
    prompt.SetDecider([&cancelledByAnswer, &folderRefused, createFolder,
                       answers = UnattendedAnswers()](Question name, MsgButtons buttons) {
        if (name == Question::MakeBackupFolder) {
            folderRefused = !createFolder;
            return createFolder ? MsgAnswer::Yes : MsgAnswer::No;
        }
        const MsgAnswer answer = answers(name, buttons);
        if ((name == Question::ReallyCancel || name == Question::MustCancel) &&
            answer == MsgAnswer::Yes)
            cancelledByAnswer = true;
        return answer;
    });
    if (!LoadProgramIniFile(line))
        return 1;
    Model &m = TheModel();

    const QString mediumError = ApplyMediumChoice(m.Settings, line.Value(QStringLiteral("--media")),
                                                  line.Value(QStringLiteral("--size")),
                                                  line.Value(QStringLiteral("--cluster")));
    if (!mediumError.isEmpty())
        return UsageError(mediumError);
    if (line.Has(QStringLiteral("--write"))) {
        const QString write = line.Value(QStringLiteral("--write"));
        if (write != QLatin1String("one-by-one") && write != QLatin1String("all-at-once"))
            return UsageError(QStringLiteral("--write takes one-by-one or all-at-once"));
        m.Settings.WriteAllAtOnce =
            write == QLatin1String("all-at-once") || m.Settings.MediaSize < 0;
        m.Settings.WriteXpWay = false;
    }
    if (WriteMethodOf(m.Settings) == WriteMethod::XpWay)
        return UsageError(QStringLiteral("the XP way needs a person between media; choose "
                                         "--write one-by-one or all-at-once"));

    QList<int> dirs, patterns;
    for (int i = 0; i <= m.DirectoriesLast(); ++i)
        dirs.append(i);
    for (int i = 0; i <= m.IncludeAllLast(); ++i)
        patterns.append(i);
    if (line.Has(QStringLiteral("--dirs")) &&
        !ParseRows(line.Value(QStringLiteral("--dirs")), m.DirectoriesLast() + 1, dirs))
        return UsageError(QStringLiteral("--dirs takes row numbers of the directory list"));
    if (line.Has(QStringLiteral("--patterns")) &&
        !ParseRows(line.Value(QStringLiteral("--patterns")), m.IncludeAllLast() + 1, patterns))
        return UsageError(QStringLiteral("--patterns takes row numbers of the include-all list"));
    if (line.Has(QStringLiteral("--dirs")) && !line.Has(QStringLiteral("--patterns")))
        patterns.clear();
    if (line.Has(QStringLiteral("--patterns")) && !line.Has(QStringLiteral("--dirs")))
        dirs.clear();
    for (int i = 0; i <= m.DirectoriesLast(); ++i)
        m.Directories[i].Selected = dirs.contains(i);

    BackupOptions options;
    options.chkZip = line.Has(QStringLiteral("--zip"));
    options.chkDontZip = options.chkZip && line.Has(QStringLiteral("--dont-zip-poor"));
    options.chkForceZip = options.chkZip && line.Has(QStringLiteral("--force-zip"));
    options.chkFresh = line.Has(QStringLiteral("--fresh"));
    options.chkSkip = line.Has(QStringLiteral("--skip-copy"));
    options.SelectedPatterns = patterns;
    options.modelUnusedAfterCancel = true; // the command ends with the run

    TerminalProgress progress(ProgressWanted(line.Has(QStringLiteral("--quiet"))));
    TerminalBackupView view(progress);
    BackupControl control;
    const BackupResult result = DoBackup(m, options, view, control);
    progress.Finish();
    if (!result.finished) {
        if (folderRefused)
            std::fprintf(stderr, "pellmoor: the backup folder was not created and nothing was "
                                 "written; give --create-folder to create it.\n");
        else if (cancelledByAnswer)
            std::fprintf(stderr, "The backup was cancelled.\n");
        return 1;
    }
    for (const QString &summaryLine : SummaryLines(result.summary))
        PrintLine(summaryLine);
    if (result.saveFailed)
        return 1;
    return result.fileErrors || result.filesLeftOut ? 3 : 0;
}
