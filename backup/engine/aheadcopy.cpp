#include "aheadcopy.h"

#include "cancelflag.h"

#include <QFile>

#include <algorithm>

AheadCopies::AheadCopies(const Model &model, const BackupFiles &work, BackupView &view,
                         MediumWriter &media, CopyPlacer &placer, const CopyHold &hold)
    : model(model), work(work), view(view), media(media), placer(placer), hold(hold) {}

void AheadCopies::CopyNext(int current) {
    // Enough ahead to keep the other core busy while the file at hand is copied.
    while (ahead.HeldSize() < work[current].StoreSize && StartNext(current)) {
    }
}

bool AheadCopies::StartNext(int current) {
    if (placer.Zipping() || !ahead.Room())
        return false;
    const int count = int(model.Files.size());
    int next = std::max(current, ahead.Last()) + 1;
    while (next < count &&
           (!work[next].ToBackUp || work[next].Placed || !media.Fits(work[next].SizeOnDisk)))
        ++next;
    return next < count && Start(next);
}

bool AheadCopies::Start(int index) {
    const std::optional<CopyPlacer::Target> target = placer.AheadTarget(index);
    if (!target)
        return false;
    const FileRecord &record = model.Files[index];
    const BackupFile &file = work[index];
    const platform::FileState measured = *placer.PreparedState(index);
    auto outcome = std::make_shared<AheadCopy>();
    outcome->source = record.Path + record.Name;
    outcome->target = target->dir + target->name;
    outcome->length = file.StoreSize;
    outcome->onDisk = media.TakeRoom(file.StoreSize);
    media.EnsureDirectory(target->dir);
    copies.push_back(outcome);
    const CopyHold *held = &hold;
    ahead.Start(index, outcome->length, [outcome, measured, held](bool onRunThread) {
        outcome->result = CopyMeasuredFileQuietly(
            outcome->source, outcome->target, double(qint64(outcome->length * 1024)), measured,
            onRunThread, &outcome->keepError, &outcome->failure, held);
        if (outcome->result != MeasuredCopy::Copied || CancelFlag())
            QFile::remove(outcome->target);
    });
    return true;
}

void AheadCopies::TakeBack(int index, double totalToBackup) {
    const std::shared_ptr<AheadCopy> outcome = copies.front();
    copies.pop_front();
    media.ShowMediumLine(totalToBackup);
    view.SetCurrentFile(outcome->source);
    // The copies behind it keep both cores busy while this one is waited for.
    CopyNext(index);
    ahead.TakeBack([this, index] { return StartNext(index); });
    if (outcome->failure)
        ReportCopyFailure(outcome->source, outcome->target, *outcome->failure);
    if (placer.Ended(index, outcome->result, outcome->keepError))
        placer.PieceWritten(index, outcome->length);
    else
        media.GiveBackRoom(outcome->onDisk);
}

void AheadCopies::DropUntaken() {
    while (!copies.empty()) {
        ahead.TakeBack();
        QFile::remove(copies.front()->target);
        media.GiveBackRoom(copies.front()->onDisk);
        copies.pop_front();
    }
}
