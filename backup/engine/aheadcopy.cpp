// The next file's copy, made on another thread while the file at hand is copied. Only a whole
// plain copy whose place on the medium needs no question goes ahead: the run decides all about
// it beforehand, as it would have when it came to the file, and takes the outcome back in turn.

#include "backuprun.h"

#include "cancelflag.h"
#include "copyfile.h"
#include "model.h"
#include "platform.h"
#include "targetpath.h"

#include <QFile>

#include <algorithm>

void BackupRun::CopyNextAhead(int current) {
    // Enough ahead to keep the other core busy while the file at hand is copied.
    while (ahead.HeldSize() < work[current].StoreSize && StartNextAhead(current)) {
    }
}

bool BackupRun::StartNextAhead(int current) {
    if (zipping || !ahead.Room())
        return false;
    const Model &m = model;
    int next = std::max(current, ahead.Last()) + 1;
    while (next < m.Files.size() &&
           (!work[next].ToBackUp || work[next].Placed || !WriteNow(work[next])))
        ++next;
    return next < m.Files.size() && StartAhead(next);
}

bool BackupRun::StartAhead(int index) {
    Model &m = model;
    const FileRecord &record = m.Files[index];
    const BackupFile &file = work[index];
    const QString relative = platform::RelativeForm(record.Path);
    if (file.Prepared || media.Spans(file.SizeOnDisk) ||
        !UsableTarget(relative, record.Name, media.MediumDir() + relative))
        return false;
    // A source whose length changed is given up with a message, which waits for its turn.
    const platform::FileState measured = platform::StateOf(record.Path + record.Name);
    if (double(measured.length) != file.SizeKB * 1024 || !PrepareFile(index, &measured))
        return false;
    PendingCopy &copy = pending[index];
    QString targetDir;
    QString targetName;
    if (!DecideTarget(index, copy, targetDir, targetName))
        return false;
    copy.version.MediumIndex = m.MediaLast() + 1;
    auto outcome = std::make_shared<AheadCopy>();
    outcome->source = record.Path + record.Name;
    outcome->target = targetDir + targetName;
    outcome->length = file.StoreSize;
    outcome->onDisk = media.TakeRoom(file.StoreSize);
    media.EnsureDirectory(targetDir);
    aheadCopies.push_back(outcome);
    const CopyHold *hold = &copyHold;
    ahead.Start(index, outcome->length, [outcome, measured, hold](bool onRunThread) {
        outcome->result = CopyMeasuredFileQuietly(
            outcome->source, outcome->target, double(qint64(outcome->length * 1024)), measured,
            onRunThread, &outcome->keepError, &outcome->failure, hold);
        if (outcome->result != MeasuredCopy::Copied || CancelFlag())
            QFile::remove(outcome->target);
    });
    return true;
}

void BackupRun::TakeBackAhead(int index) {
    const std::shared_ptr<AheadCopy> outcome = aheadCopies.front();
    aheadCopies.pop_front();
    media.ShowMediumLine(totalToBackup);
    view.SetCurrentFile(outcome->source);
    // The copies behind it keep both cores busy while this one is waited for.
    CopyNextAhead(index);
    ahead.TakeBack([this, index] { return StartNextAhead(index); });
    if (outcome->failure)
        ReportCopyFailure(outcome->source, outcome->target, *outcome->failure);
    if (CopyEnded(index, outcome->result, outcome->keepError))
        PieceWritten(index, outcome->length);
    else
        media.GiveBackRoom(outcome->onDisk);
}

void BackupRun::DropAhead() {
    while (!aheadCopies.empty()) {
        ahead.TakeBack();
        QFile::remove(aheadCopies.front()->target);
        media.GiveBackRoom(aheadCopies.front()->onDisk);
        aheadCopies.pop_front();
    }
}
