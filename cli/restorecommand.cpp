#include "restorecommand.h"

#include "cliprompt.h"
#include "model.h"
#include "patterns.h"
#include "restorereport.h"
#include "restorerequest.h"
#include "restorerun.h"
#include "restoreselection.h"
#include "restoresource.h"
#include "terminalrestoreview.h"
#include "unattendedanswers.h"

#include <QDir>

namespace {

// Ticks the files of the chosen type, as steps 2 and 3 of the wizard do. Returns whether the
// program and its information file are restored too.
bool ChooseFiles(RestoreSelection &selection, const RestoreRequest &request) {
    if (request.type == RestoreChosen) {
        const Model &m = TheModel();
        for (int index : selection.SortedOrder()) {
            RestoreFileState &file = selection.Files()[index];
            file.Ticked = file.Shown && MatchesPatternList(m.Files[index].Name, request.files);
        }
    }
    return selection.ApplyRestoreType(request.type, request.withProgram);
}

} // namespace

int RunRestore(const CommandLine &line) {
    RestoreRequest request;
    const QString error = ParseRestoreRequest(line, request);
    if (!error.isEmpty())
        return UsageError(error);
    CliPrompt prompt;
    prompt.SetDecider(UnattendedAnswers(request.skipMissing));
    // Refused before anything is searched or loaded: nothing is ever written over.
    // A 'Restore To' that holds files is a usage error like any other wrong argument.
    if (!IsRestoreToEmpty(request.restoreTo)) {
        MsgBox(QString::fromLatin1(RestoreToNotEmptyWarning));
        return 2;
    }
    PossibleDrives drives;
    QString loadedDirectory;
    if (!LoadRestoreSource(request, line, drives, loadedDirectory))
        return 1;

    RestoreSelection selection{TheModel()};
    selection.Build();
    const bool withProgram = ChooseFiles(selection, request);
    QString refusal = selection.NothingSelectedMessage(withProgram);
    if (refusal.isEmpty() && request.flat)
        refusal = selection.DuplicateNamesMessage();
    if (!refusal.isEmpty()) {
        MsgBox(refusal);
        return 1;
    }
    if (!QDir().mkpath(request.restoreTo)) {
        MsgBox(QStringLiteral("The 'Restore To' directory could not be created:\n") +
               request.restoreTo);
        return 1;
    }

    TerminalProgress progress(ProgressWanted(request.quiet));
    TerminalRestoreView view(progress);
    const RestoreOptions options{request.restoreTo, !request.flat, withProgram};
    const RestoreResult result =
        RestoreRun(TheModel(), selection, drives, loadedDirectory, options, view).DoRestore();
    progress.Finish();
    if (result.cancelled)
        return 1;
    PrintRestoreReport(result, withProgram);
    return result.unrestored.isEmpty() && (!withProgram || result.programRestored) ? 0 : 3;
}
