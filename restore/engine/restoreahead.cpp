#include "restoreahead.h"

#include "copyfile.h"

void RestoreAhead::Start(int position, const QString &source, double length, int out,
                         const platform::FileState &stamp) {
    auto outcome = std::make_shared<AheadOutcome>();
    outcome->source = source;
    outcome->length = length;
    outcomes.push_back(outcome);
    copies.Start(position, length, [outcome, out, stamp](bool onRunThread) {
        outcome->copied = CopyIntoDescriptorQuietly(outcome->source, out, outcome->length, &stamp,
                                                    onRunThread, &outcome->failure);
    });
}

AheadOutcome RestoreAhead::TakeBack(const std::function<bool()> &more) {
    const std::shared_ptr<AheadOutcome> outcome = outcomes.front();
    outcomes.pop_front();
    copies.TakeBack(more);
    return *outcome;
}
