#pragma once
// Copies a byte range from one file into another at a given position, with progress.

#include "platform.h"

#include <QString>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>

class QFile;

// What a copy shows while it runs: the label text and the fraction of the bar.
class CopyProgressView {
public:
    virtual ~CopyProgressView() = default;
    virtual void SetCopyLabel(const QString &text) = 0;
    virtual void SetCopyFraction(double fraction) = 0;
};

// Positions are 1-based byte positions. The destination is created when missing and never
// truncated, so a piece can be written into a partly filled file. view may be nullptr.
bool CopyFileRange(const QString &source, const QString &destination, double sourceStart,
                   double length, double destinationStart, CopyProgressView *view,
                   const QString &captionSuffix = QString());

// The same copy into a destination the caller has opened for reading and writing (a file made
// safely below a directory handle); destination names it in the messages. The caller closes it.
bool CopyFileRangeInto(const QString &source, QFile &out, const QString &destination,
                       double sourceStart, double length, double destinationStart,
                       CopyProgressView *view, const QString &captionSuffix = QString());

// A backup's copy of a range of a source into a file of its own. With measured, the source is
// looked at through the open file when the copy starts and when it ends (so no other file can
// stand in for it), and the copy takes the measured permission bits and modification time (a
// failure there sets keepError and still copies).
enum class MeasuredCopy { Copied, Failed, ChangedBefore, ChangedDuring, WrongLength };
MeasuredCopy CopyMeasuredRange(const QString &source, const QString &destination,
                               double sourceStart, double length,
                               const platform::FileState *measured, int *keepError,
                               CopyProgressView *view);

// While held, copies made on another thread (the quiet ones without events) that were given the
// hold wait before their next block: a pause of the run holds the disk too. A cancel lets them
// go on to their end.
class CopyHold {
public:
    void Set(bool hold);
    void WaitWhileHeld() const;

private:
    mutable std::mutex mutex;
    mutable std::condition_variable changed;
    std::atomic<bool> held = false;
};

// The measured copy of all of a source into a file of its own, for a copy made ahead: nothing is
// shown or asked, and window events run only with events (never on another thread than the
// windows'). A failure to report leaves its numbered error in *failure, for the run's thread to
// pass to ReportCopyFailure; a cancelled copy leaves none.
MeasuredCopy CopyMeasuredFileQuietly(const QString &source, const QString &destination,
                                     double length, const platform::FileState &measured,
                                     bool events, int *keepError, std::optional<int> *failure,
                                     const CopyHold *hold = nullptr);

// The same for a copy of all of a source into a new file the caller opened (out, which this
// closes), given stamp's permission bits and time when it is complete. True when it went through.
bool CopyIntoDescriptorQuietly(const QString &source, int out, double length,
                               const platform::FileState *stamp, bool events,
                               std::optional<int> *failure);

// The message of a failed copy with its numbered file error, asking "Abort current operation?"
// (Yes sets the cancel flag). Returns false, for the caller to pass on.
bool ReportCopyFailure(const QString &source, const QString &destination, int number);
