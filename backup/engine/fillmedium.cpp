// One pass over the files for the current medium: the fit test, preparing a copy once, and
// writing it (or its next piece) onto the medium, with the next files copied ahead meanwhile.

#include "backuprun.h"

#include "cancelflag.h"
#include "doevents.h"

// Returns true when the pass ended because the user stopped the run now.
bool BackupRun::FillMedium() {
    const bool stoppedNow = FillPass();
    // A copy made ahead for a file the pass did not reach (after a stop or a cancel) is not kept.
    ahead.DropUntaken();
    return stoppedNow;
}

bool BackupRun::FillPass() {
    placer.StartPass();
    for (int i = 0; i < model.Files.size(); ++i) {
        // A window's event round costs more than passing over a file that is not placed here;
        // Stop, Pause and Cancel still act within the pacer's 50 ms.
        if (pacer.Due())
            DoEvents();
        if (CancelFlag())
            return false;
        if (ahead.Next() == i) {
            ahead.TakeBack(i, placer.TotalToBackup());
        } else {
            const BackupFile &w = work[i];
            if (!w.ToBackUp || w.Placed || !media.Fits(w.SizeOnDisk))
                continue;
            media.ShowMediumLine(placer.TotalToBackup());
            if (!w.Prepared && !placer.Prepare(i))
                continue;
            // A zipped copy can be small enough to wait for a medium with room instead of
            // spanning.
            if (!media.Fits(w.SizeOnDisk))
                continue;
            if (const std::optional<CopyPlacer::Piece> piece = placer.PlanPiece(i)) {
                ahead.CopyNext(i);
                placer.CopyPlanned(i, *piece);
            }
        }
        if (CancelFlag())
            return false;
        if (control.StopAccepted() && control.stopNow)
            return true;
    }
    return false;
}
