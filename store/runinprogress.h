#pragma once
// The program must not end, nor hand itself to the updater, while a backup or a restore runs:
// its questions could no longer be answered and the information file would not be saved. The
// windows hold a RunInProgress for as long as their run lasts.

class RunInProgress {
public:
    RunInProgress();
    ~RunInProgress();
    RunInProgress(const RunInProgress &) = delete;
    RunInProgress &operator=(const RunInProgress &) = delete;
};

bool AnyRunInProgress();
