#pragma once
// The copies made ahead: whole plain files of the medium copied on another thread while the
// run copies the file at hand, each taken back in the order of the loop with what it ended with.
// The run decides which files go ahead and what their outcome means.

#include "copyahead.h"
#include "platform.h"

#include <QString>

#include <deque>
#include <functional>
#include <memory>
#include <optional>

struct AheadOutcome {
    QString source;
    double length = 0; // bytes
    bool copied = false;
    std::optional<int> failure; // the numbered error to report, on the run's thread
};

class RestoreAhead {
public:
    bool Room() const { return copies.Room(); }
    // The loop position of the copy to take back next, or -1.
    int Next() const { return copies.Next(); }
    // The loop position of the copy started last, or -1.
    int Last() const { return copies.Last(); }
    // Bytes held in copies not taken back yet.
    double HeldSize() const { return copies.HeldSize(); }
    // The source of the copy to take back next.
    const QString &NextSource() const { return outcomes.front()->source; }

    // Copies all of source (length bytes) into out, a new file it closes, stamped when done.
    void Start(int position, const QString &source, double length, int out,
               const platform::FileState &stamp);
    // Waits for the next copy and hands over its outcome; more starts further copies meanwhile.
    AheadOutcome TakeBack(const std::function<bool()> &more = nullptr);

private:
    std::deque<std::shared_ptr<AheadOutcome>> outcomes; // in the order of the loop
    CopyAhead copies;
};
