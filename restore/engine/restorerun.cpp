#include "restorerun.h"

#include "cancelflag.h"
#include "listednames.h"
#include "model.h"
#include "platform.h"
#include "textutil.h"

#include <QDir>
#include <QTemporaryDir>

#include <algorithm>

RestoreRun::RestoreRun(Model &model, RestoreSelection &selection, PossibleDrives &drives,
                       QString &loadedDirectory, const RestoreOptions &options, RestoreView &view)
    : model(model), selection(selection), drives(drives), loadedDirectory(loadedDirectory),
      options(options), view(view) {}

RestoreRun::~RestoreRun() = default;

RestoreResult RestoreRun::DoRestore() {
    Start();
    if (MainLoop())
        Finish();
    Stop();
    return result;
}

int RestoreRun::LastIndex(const VersionRecord &v) const {
    VersionRecord copy = v;
    copy.ComputeLastMedium();
    return copy.LastMedium;
}

void RestoreRun::Start() {
    view.RunStarted();
    AddSlash(options.restoreTo);
    // The directory the user chose is taken as given; everything below it is made by the run.
    QDir().mkpath(options.restoreTo);
    planner = std::make_unique<DestinationPlanner>(options.restoreTo, options.chkDirStruct);
    result = RestoreResult();
    partial.clear();
    processed = -1;
    unrestoredCount = -1;
    QList<RestoreFileState> &files = selection.Files();
    work = QList<FileWork>(model.Files.size());
    // A selection built for another model restores nothing rather than the wrong files.
    if (files.size() != model.Files.size())
        for (RestoreFileState &s : files)
            s.Ticked = false;
    numberToRestore = selection.NumberToRestore() + 1;
    for (int index : selection.SortedOrder()) {
        RestoreFileState &s = files[index];
        s.Ticked = s.Ticked && s.Shown;
        if (!s.Ticked)
            continue;
        const FileRecord &f = model.Files[index];
        if (s.UseVersion < 0 || s.UseVersion > f.VersionsLast())
            s.UseVersion = f.VersionsLast();
        if (s.UseVersion < 0) {
            GiveUp(index, MediaNotFoundMessage);
            continue;
        }
        const VersionRecord &v = f.Versions[s.UseVersion];
        totalSize += v.Size;
        work[index].CurrentMedium = v.MediumIndex;
    }
    // Chosen by hand, a file and a folder may still claim one path: the later backup's keeps it,
    // and the other is listed for what it is, not failed as a copy in whichever order media come.
    if (options.chkDirStruct) {
        for (int index : selection.ReplacedFiles()) {
            totalSize -= model.Files[index].Versions[files[index].UseVersion].Size;
            GiveUp(index, ReplacedMessage);
        }
    }
    for (MediumRecord &medium : model.Media)
        medium.RestoreSkip = !medium.Available;
    SetCancelFlag(false);
    firstPass = true;
    currentMedium = 0;
}

bool RestoreRun::MainLoop() {
    for (;;) {
        for (MediumRecord &medium : model.Media)
            medium.RestoreNeeded = false;
        VersionCheck();
        MarkNeededMedia();
        bool waiting = false;
        for (int index : selection.SortedOrder())
            waiting = waiting || (selection.Files()[index].Ticked && !work[index].RestoreDone);
        if (!waiting)
            return true;
        if (!ChooseMedium())
            continue;
        int number = currentMedium + 1;
        loadedDirectory = drives.FindMedia(number, model);
        if (CancelFlag())
            return false;
        // A medium that was not given is not asked for again, so the run always moves on.
        if (loadedDirectory.isEmpty())
            model.Media[currentMedium].RestoreSkip = true;
        if (!model.Media[currentMedium].RestoreSkip && !CopyFromCurrentMedium())
            return false;
        if (firstPass)
            currentMedium = -1;
    }
}

bool RestoreRun::Unusable(const VersionRecord &version) const {
    for (int i = version.MediumIndex; i <= LastIndex(version); ++i) {
        // A medium the information file does not list cannot be asked for.
        if (i < 0 || i > model.MediaLast() || model.Media[i].RestoreSkip)
            return true;
    }
    return false;
}

void RestoreRun::VersionCheck() {
    QList<RestoreFileState> &files = selection.Files();
    for (int index : selection.SortedOrder()) {
        RestoreFileState &s = files[index];
        const FileRecord &f = model.Files[index];
        if (!s.Ticked || !Unusable(f.Versions[s.UseVersion]))
            continue;
        FileWork &w = work[index];
        // The substitution list names the version the user chose, also after a second fallback.
        if (w.RequestedVersion == -1)
            w.RequestedVersion = s.UseVersion;
        int found = -1;
        for (int v = s.UseVersion - 1; v >= 0 && found < 0; --v)
            found = Unusable(f.Versions[v]) ? -1 : v;
        for (int v = s.UseVersion + 1; v <= f.VersionsLast() && found < 0; ++v)
            found = Unusable(f.Versions[v]) ? -1 : v;
        if (found < 0) {
            w.RequestedVersion = -1;
            GiveUp(index, MediaNotFoundMessage);
        } else {
            s.UseVersion = found;
            RestartFile(index);
        }
        w.CurrentMedium = f.Versions[s.UseVersion].MediumIndex;
    }
}

void RestoreRun::MarkNeededMedia() {
    for (int index : selection.SortedOrder()) {
        if (!selection.Files()[index].Ticked)
            continue;
        const VersionRecord &v = model.Files[index].Versions[selection.Files()[index].UseVersion];
        bool any = false;
        for (int i = std::max(work[index].CurrentMedium, 0); i <= LastIndex(v); ++i) {
            if (i <= model.MediaLast()) {
                model.Media[i].RestoreNeeded = true;
                any = true;
            }
        }
        // Every piece was read and the copy is still short: no medium can complete it.
        if (!any)
            GiveUp(index, IncompleteMessage);
    }
}

bool RestoreRun::ChooseMedium() {
    if (firstPass && currentMedium != -1) {
        currentMedium = -1;
        const QString id = loadedDirectory.isEmpty() ? QString() : ReadMediaID(loadedDirectory);
        bool ok = false;
        const int index = id.trimmed().toInt(&ok) - 1;
        if (ok && index >= 0 && index <= model.MediaLast() && model.Media[index].RestoreNeeded)
            currentMedium = index;
        return currentMedium != -1;
    }
    firstPass = false;
    view.SetNext(QStringLiteral("Unknown"));
    int found = -1;
    for (int i = currentMedium + 1; i <= model.MediaLast(); ++i) {
        if (!model.Media[i].RestoreNeeded)
            continue;
        if (found >= 0) {
            view.SetNext(QString::number(i + 1));
            break;
        }
        found = i;
    }
    currentMedium = found;
    return found >= 0;
}

bool RestoreRun::CopyFromCurrentMedium() {
    // Even at the same place, the medium may be another disc than last time.
    mediumFolder = MediumFolder(loadedDirectory);
    const QList<int> &order = selection.SortedOrder();
    for (int position = 0; position < order.size(); ++position) {
        const int index = order[position];
        if (!selection.Files()[index].Ticked || work[index].CurrentMedium != currentMedium)
            continue;
        if (CancelFlag())
            break;
        if (ahead.Next() == position)
            TakeBackPiece(position, true);
        else
            CopyPiece(position);
    }
    // Only a cancel leaves copies made ahead: those that went through count as restored.
    while (ahead.Next() >= 0)
        TakeBackPiece(ahead.Next(), false);
    return !CancelFlag();
}

void RestoreRun::Finish() {
    const QString of = QStringLiteral(" Of ") + QString::number(numberToRestore);
    result.unrestoredLabel = QString::number(unrestoredCount + 1) + of;
    result.restoredCount = numberToRestore - (unrestoredCount + 1);
    result.restoredTo = options.restoreTo;
    if (result.restoredTo.size() > 1 && result.restoredTo.endsWith(platform::Separator()))
        result.restoredTo.chop(1);
    const QSet<QString> sharedNames = SharedNames(model);
    for (int index : selection.SortedOrder()) {
        const FileWork &w = work[index];
        if ((selection.Files()[index].Ticked || w.RestoreDone) && w.RequestedVersion != -1)
            result.substituted.append(
                ListedName(model.Files[index], sharedNames) + QLatin1String(SubstitutedMessage) +
                QString::number(w.RequestedVersion) + QStringLiteral(" Requested, Used ") +
                QString::number(selection.Files()[index].UseVersion));
    }
    // The finished list shows the notes on shortened destinations beside the substitutions:
    // the count above it counts every entry it holds.
    result.substitutedLabel =
        QString::number(result.substituted.size() + result.shortened.size()) + of;
    if (options.chkIni) {
        planner->Tree().MakeDirectory(QLatin1String(MarkerDirectoryName));
        if (!FindProgramMedium())
            return;
        if (!loadedDirectory.isEmpty()) {
            RestoreProgIni(loadedDirectory, options.restoreTo, planner->Tree(), view);
            result.programRestored = true;
        }
    }
    view.Finished();
}

bool RestoreRun::FindProgramMedium() {
    for (int i = model.MediaLast(); i >= 0; --i) {
        if (model.Media[i].RestoreSkip)
            continue;
        int number = i + 1;
        const QString root = drives.FindMedia(number, model);
        if (CancelFlag())
            return false;
        if (!root.isEmpty()) {
            loadedDirectory = root;
            return true;
        }
    }
    // No medium left to copy the program from: the copy is skipped.
    loadedDirectory.clear();
    return true;
}

void RestoreRun::Stop() {
    for (const QString &path : partial)
        planner->Remove(path);
    partial.clear();
    privateFolder.reset();
    result.cancelled = CancelFlag();
    view.RunEnded(result.cancelled);
}

QString RestoreSummaryLine(const RestoreResult &result) {
    const QString to = QStringLiteral(" restored to ") + result.restoredTo;
    const QString program = QStringLiteral("the program and its information file");
    if (result.restoredCount == 0 && result.programRestored)
        return program.left(1).toUpper() + program.mid(1) + to;
    QString line =
        QString::number(result.restoredCount) +
        (result.restoredCount == 1 ? QStringLiteral(" file") : QStringLiteral(" files")) + to;
    if (result.programRestored)
        line += QStringLiteral(", with ") + program;
    return line;
}
