// Which files go ahead: only a whole plain copy whose destination needs no note. The run decides
// all about it beforehand, as it would have when it came to the file, and takes the outcome back
// in turn.

#include "restorerun.h"

#include "model.h"
#include "platform.h"

#include <algorithm>

void RestoreRun::CopyNextAhead(int current) {
    const int index = selection.SortedOrder()[current];
    const double bytes =
        model.Files[index].Versions[selection.Files()[index].UseVersion].Size * 1024;
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
    const FileRecord &f = model.Files[index];
    const VersionRecord &v = f.Versions[selection.Files()[index].UseVersion];
    FileWork &w = work[index];
    QString source;
    if (v.Zipped || w.BytesRestored != 0 || !w.destination.isEmpty() || !w.target.isEmpty() ||
        !SafeSource(index, v, source))
        return false;
    // A destination that is refused, moved or shortened leaves a line or a note, which waits
    // for its turn.
    if (!planner->PlacesAsItIs(f))
        return false;
    const platform::FileState stamp = platform::StateOf(source);
    w.ExpectedSize = v.Size;
    // A piece of a spanned copy is copied in its turn.
    if (stamp.length < 0 || !Completes(w, double(stamp.length)))
        return false;
    const DestinationDecision decision = planner->Decide(f);
    if (decision.destination.isEmpty())
        return false;
    w.destination = decision.destination;
    w.target = w.destination;
    // A file that cannot be made here is reported when its turn comes.
    const int fd = planner->Tree().Open(planner->Below(w.destination), platform::WriteOpen::Fresh);
    if (fd < 0)
        return false;
    ahead.Start(position, source, double(stamp.length), fd, stamp);
    return true;
}
