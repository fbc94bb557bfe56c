// The next files' copies, made on another thread while the file at hand is copied. Only a whole
// plain copy whose destination needs no note goes ahead: the run decides all about it
// beforehand, as it would have when it came to the file, and takes the outcome back in turn.

#include "restorerun.h"

#include "copyfile.h"
#include "model.h"
#include "platform.h"
#include "restorepaths.h"
#include "textutil.h"

#include <algorithm>

void RestoreRun::CopyNextAhead(int current) {
    const int index = selection.SortedOrder()[current];
    const double bytes =
        TheModel().Files[index].Versions[selection.Files()[index].UseVersion].Size * 1024;
    // Enough ahead to keep the other core busy while the file at hand is copied.
    while (ahead.HeldSize() < bytes && StartNextAhead(current)) {
    }
}

bool RestoreRun::StartNextAhead(int current) {
    if (!ahead.Room())
        return false;
    const QList<int> &order = selection.SortedOrder();
    int next = std::max(current, ahead.Last()) + 1;
    while (next < order.size() && (!selection.Files()[order[next]].Ticked ||
                                   work[order[next]].CurrentMedium != currentMedium))
        ++next;
    return next < order.size() && StartAhead(next);
}

bool RestoreRun::StartAhead(int position) {
    const int index = selection.SortedOrder()[position];
    const FileRecord &f = TheModel().Files[index];
    const VersionRecord &v = f.Versions[selection.Files()[index].UseVersion];
    FileWork &w = work[index];
    QString source;
    if (v.Zipped || w.BytesRestored != 0 || !w.destination.isEmpty() || !w.target.isEmpty() ||
        !SafeSource(index, v, source))
        return false;
    // A destination that is refused, moved or shortened leaves a line or a note, which waits
    // for its turn.
    const QString directory =
        options.chkDirStruct ? AddSlashed(platform::RelativeForm(f.Path)) : QString();
    if ((options.chkDirStruct && !SafeAbsolutePath(f.Path)) ||
        (options.restoreTo + directory + f.Name).size() >= RestorePathLimit)
        return false;
    const platform::FileState stamp = platform::StateOf(source);
    w.ExpectedSize = v.Size;
    // A piece of a spanned copy is copied in its turn.
    if (stamp.length < 0 || !Completes(w, double(stamp.length)) || !DecideDestination(index))
        return false;
    w.target = w.destination;
    // A file that cannot be made here is reported when its turn comes.
    const int fd = tree->Open(Below(w.destination), platform::WriteOpen::Fresh);
    if (fd < 0)
        return false;
    auto outcome = std::make_shared<AheadCopy>();
    outcome->source = source;
    outcome->length = double(stamp.length);
    aheadCopies.push_back(outcome);
    ahead.Start(position, outcome->length, [outcome, fd, stamp](bool onRunThread) {
        outcome->copied = CopyIntoDescriptorQuietly(outcome->source, fd, outcome->length, &stamp,
                                                    onRunThread, &outcome->failure);
    });
    return true;
}

void RestoreRun::TakeBackAhead(int position, bool copyMore) {
    const std::shared_ptr<AheadCopy> outcome = aheadCopies.front();
    aheadCopies.pop_front();
    const int index = selection.SortedOrder()[position];
    ShowProgress(outcome->source, work[index].destination);
    // The copies behind it keep both cores busy while this one is waited for.
    if (copyMore) {
        CopyNextAhead(position);
        ahead.TakeBack([this, position] { return StartNextAhead(position); });
    } else {
        ahead.TakeBack();
    }
    if (outcome->failure)
        ReportCopyFailure(outcome->source, work[index].destination, *outcome->failure);
    if (outcome->copied)
        PieceDone(position, outcome->length);
    else
        PieceFailed(index);
}
