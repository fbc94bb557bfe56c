#include "copyfile.h"

#include "cancelflag.h"
#include "doevents.h"
#include "faultpoint.h"
#include "fileops.h"
#include "platform.h"
#include "saferead.h"
#include "textutil.h"

#include <QFile>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>

namespace {

// Small enough that Cancel answers quickly on a slow medium, large enough to cost nothing.
constexpr qint64 BlockSize = 1048576;
// The system copies larger blocks while each takes little time: on a big file, many small
// calls made the copy up to three times slower than one of cp's, as the kernel throttles
// its writing per call.
constexpr qint64 LargestSystemBlock = qint64(256) << 20;
constexpr auto QuickBlock = std::chrono::milliseconds(50);
constexpr auto SlowBlock = std::chrono::milliseconds(400);

// The next block for the system copy after one of block bytes took the time given.
qint64 NextSystemBlock(qint64 block, std::chrono::steady_clock::duration took) {
    if (took < QuickBlock)
        return std::min(block * 2, LargestSystemBlock);
    if (took > SlowBlock)
        return std::max(block / 2, BlockSize);
    return block;
}

// The numbered error behind the QFile call that just failed. The system's own error is the
// precise one; Qt's category is the fallback when the call set none.
int FailureOf(const QFile &file) {
    const int number = platform::LastFileError();
    if (number != platform::ErrNone)
        return number;
    switch (file.error()) {
    case QFileDevice::ResourceError:
        return platform::ErrDiskFull;
    case QFileDevice::ReadError:
    case QFileDevice::WriteError:
        return platform::ErrDeviceIO;
    case QFileDevice::PermissionsError:
        return platform::ErrPermissionDenied;
    default:
        return platform::ErrPathFileAccess;
    }
}

bool Open(QFile &file, QIODevice::OpenMode mode, qint64 offset) {
    errno = 0;
    if (platform::InjectedFault(platform::FaultPoint::Open) != 0)
        return false;
    // A device such as /dev/full cannot seek, but a fresh file already stands at offset 0.
    return file.open(mode | QIODevice::Unbuffered) && (offset == 0 || file.seek(offset));
}

// A device such as /dev/full cannot seek; it only needs to where the position is not yet right.
bool SeekTo(QFile &file, qint64 offset) {
    return file.pos() == offset || file.seek(offset);
}

} // namespace

void CopyHold::Set(bool hold) {
    {
        std::lock_guard lock(mutex);
        held = hold;
    }
    changed.notify_all();
}

void CopyHold::WaitWhileHeld() const {
    if (!held)
        return;
    std::unique_lock lock(mutex);
    while (held && !CancelFlag())
        changed.wait_for(lock, std::chrono::milliseconds(50));
}

bool ReportCopyFailure(const QString &source, const QString &destination, int number) {
    AskAbortCurrentOperation(QStringLiteral("A file error occured whilst copying a file.\n"
                                            "Copy failed.\nFrom : ") +
                             source + QStringLiteral("\nTo : ") + destination + QLatin1Char('\n') +
                             platform::ErrorWasText(number));
    return false;
}

namespace {

// What a copy that did not go through met: nothing (it was cancelled) or a numbered error.
using CopyFailure = std::optional<int>;

bool Fail(CopyFailure &failure, int number) {
    failure = number;
    return false;
}

// Where a copy reports its progress: a view, if any, and whether window events may run. A copy
// on another thread has neither.
struct CopyFeedback {
    CopyProgressView *view = nullptr;
    QString captionSuffix;
    bool events = true;
    const CopyHold *hold = nullptr; // waited on by a copy without events
};

// Copies the range from the open source into the open destination.
bool CopyOpenRange(QFile &in, QFile &out, double sourceStart, double length,
                   double destinationStart, const CopyFeedback &feedback, CopyFailure &failure) {
    CopyProgressView *view = feedback.view;
    qint64 remaining = std::max<qint64>(0, qint64(length));
    const double total = double(remaining) / 1024;
    const QString totalText = view ? FormatSize(total) : QString();
    qint64 inOffset = qint64(sourceStart) - 1;
    qint64 outOffset = qint64(destinationStart) - 1;
    bool inSystem = true; // the system copies the bytes until it says it cannot
    // A hole of a sparse source stays a hole where the destination holds nothing there yet: a
    // virtual machine's disk costs its data, not its length.
    const bool holesKept = out.size() <= outOffset;
    qint64 systemBlock = BlockSize;
    EventPacer pacer;
    std::unique_ptr<char[]> buffer;
    while (remaining > 0) {
        if (!feedback.events && feedback.hold)
            feedback.hold->WaitWhileHeld();
        if (CancelFlag())
            return false;
        if (platform::InjectedFault(platform::FaultPoint::Read) != 0 ||
            platform::InjectedFault(platform::FaultPoint::Write) != 0)
            return Fail(failure, platform::LastFileError());
        qint64 moved = 0;
        const qint64 hole =
            holesKept ? std::min(remaining, platform::DataFrom(in.handle(), inOffset) - inOffset)
                      : 0;
        const qint64 block = std::min(remaining, BlockSize);
        if (hole > 0) {
            moved = hole;
        } else if (inSystem) {
            errno = 0;
            const auto started = std::chrono::steady_clock::now();
            moved = platform::CopyBetweenDescriptors(in.handle(), inOffset, out.handle(), outOffset,
                                                     std::min(remaining, systemBlock));
            systemBlock = NextSystemBlock(systemBlock, std::chrono::steady_clock::now() - started);
            if (moved < 0 && moved != -2)
                return Fail(failure, platform::LastFileError());
            // Some file systems report an early end to the system copy; reading settles it.
            inSystem = moved > 0;
        }
        if (moved <= 0 && hole <= 0) {
            if (!buffer)
                buffer.reset(new char[size_t(BlockSize)]);
            if (!SeekTo(in, inOffset) || !SeekTo(out, outOffset))
                return Fail(failure, platform::ErrDeviceIO);
            errno = 0;
            moved = in.read(buffer.get(), block);
            // A source shorter than the range (it shrank since it was measured) must not become
            // a copy padded with whatever the buffer held.
            if (moved <= 0)
                return Fail(failure, moved < 0 ? FailureOf(in) : int(platform::ErrInputPastEnd));
            errno = 0;
            const qint64 put = out.write(buffer.get(), moved);
            if (put != moved)
                return Fail(failure, put < 0 ? FailureOf(out) : int(platform::ErrDiskFull));
        }
        remaining -= moved;
        inOffset += moved;
        outOffset += moved;
        if (remaining > 0) {
            if (view) {
                const double done = total - double(remaining) / 1024;
                view->SetCopyLabel(FormatSize(done) + QStringLiteral(" Of ") + totalText +
                                   feedback.captionSuffix);
                view->SetCopyFraction(done / total);
            }
            // An event round of a window costs more than a block; the pacer keeps Cancel
            // answering within 50 ms.
            if (feedback.events && pacer.Due())
                DoEvents();
        }
    }
    // A hole at the end still counts in the length.
    if (holesKept && out.size() < outOffset && !out.resize(outOffset))
        return Fail(failure, FailureOf(out));
    if (view) {
        view->SetCopyLabel(QStringLiteral("---"));
        view->SetCopyFraction(1.0);
    }
    return true;
}

// Checks the positions and opens the source at its start.
bool OpenSource(QFile &in, double sourceStart, double destinationStart, CopyFailure &failure) {
    if (sourceStart < 1 || destinationStart < 1)
        return Fail(failure, platform::ErrBadFileNameOrNumber);
    errno = 0;
    if (platform::InjectedFault(platform::FaultPoint::Open) != 0)
        return Fail(failure, FailureOf(in));
    // What stands at the path may be a pipe or a device (planted on a medium, or put in place of
    // a file since it was listed): it is refused, never waited on or read without end.
    const SafeRead opened = OpenRegularFile(in, in.fileName(), std::numeric_limits<qint64>::max(),
                                            QIODevice::Unbuffered);
    if (!opened.Ok())
        return Fail(failure, opened.error);
    if (sourceStart > 1 && !in.seek(qint64(sourceStart) - 1))
        return Fail(failure, FailureOf(in));
    return true;
}

// Closes a finished copy; the close is where a delayed write failure shows.
bool CloseCopy(QFile &out, CopyFailure &failure) {
    errno = 0;
    if (platform::InjectedFault(platform::FaultPoint::Flush) != 0)
        return Fail(failure, platform::LastFileError());
    out.close();
    if (out.error() != QFileDevice::NoError)
        return Fail(failure, FailureOf(out));
    return true;
}

// Asks about a failure the copy met; a cancelled copy asks nothing. False either way.
bool Report(const CopyFailure &failure, const QString &source, const QString &destination) {
    if (failure)
        ReportCopyFailure(source, destination, *failure);
    return false;
}

MeasuredCopy MeasuredRange(const QString &source, const QString &destination, double sourceStart,
                           double length, const platform::FileState *measured, int *keepError,
                           const CopyFeedback &feedback, CopyFailure &failure) {
    QFile in(source);
    if (!OpenSource(in, sourceStart, 1, failure))
        return MeasuredCopy::Failed;
    if (measured && platform::StateOfOpen(in.handle()) != *measured)
        return MeasuredCopy::ChangedBefore;
    QFile out(destination);
    if (!Open(out, QIODevice::WriteOnly | QIODevice::Truncate, 0)) {
        Fail(failure, FailureOf(out));
        return MeasuredCopy::Failed;
    }
    if (!CopyOpenRange(in, out, sourceStart, length, 1, feedback, failure))
        return MeasuredCopy::Failed;
    if (measured && platform::StateOfOpen(in.handle()) != *measured)
        return MeasuredCopy::ChangedDuring;
    if (out.size() != qint64(length))
        return MeasuredCopy::WrongLength;
    *keepError = platform::ErrNone;
    errno = 0;
    if (measured && !platform::ApplyModeAndTime(out.handle(), *measured))
        *keepError = platform::LastFileError();
    return CloseCopy(out, failure) ? MeasuredCopy::Copied : MeasuredCopy::Failed;
}

} // namespace

bool CopyFileRange(const QString &source, const QString &destination, double sourceStart,
                   double length, double destinationStart, CopyProgressView *view,
                   const QString &captionSuffix) {
    CopyFailure failure;
    QFile in(source);
    if (!OpenSource(in, sourceStart, destinationStart, failure))
        return Report(failure, source, destination);
    // Read/write keeps what the destination already holds: pieces are written into place.
    QFile out(destination);
    if (!Open(out, QIODevice::ReadWrite, qint64(destinationStart) - 1))
        return ReportCopyFailure(source, destination, FailureOf(out));
    if (!CopyOpenRange(in, out, sourceStart, length, destinationStart, {view, captionSuffix},
                       failure) ||
        !CloseCopy(out, failure))
        return Report(failure, source, destination);
    return true;
}

bool CopyFileRangeInto(const QString &source, QFile &out, const QString &destination,
                       double sourceStart, double length, double destinationStart,
                       CopyProgressView *view, const QString &captionSuffix) {
    CopyFailure failure;
    QFile in(source);
    if (!OpenSource(in, sourceStart, destinationStart, failure))
        return Report(failure, source, destination);
    errno = 0;
    if (!SeekTo(out, qint64(destinationStart) - 1))
        return ReportCopyFailure(source, destination, FailureOf(out));
    if (!CopyOpenRange(in, out, sourceStart, length, destinationStart, {view, captionSuffix},
                       failure))
        return Report(failure, source, destination);
    return true;
}

MeasuredCopy CopyMeasuredRange(const QString &source, const QString &destination,
                               double sourceStart, double length,
                               const platform::FileState *measured, int *keepError,
                               CopyProgressView *view) {
    CopyFailure failure;
    const MeasuredCopy result = MeasuredRange(source, destination, sourceStart, length, measured,
                                              keepError, {view, {}, true}, failure);
    Report(failure, source, destination);
    return result;
}

MeasuredCopy CopyMeasuredFileQuietly(const QString &source, const QString &destination,
                                     double length, const platform::FileState &measured,
                                     bool events, int *keepError, std::optional<int> *failure,
                                     const CopyHold *hold) {
    *failure = std::nullopt;
    return MeasuredRange(source, destination, 1, length, &measured, keepError,
                         {nullptr, {}, events, hold}, *failure);
}

bool CopyIntoDescriptorQuietly(const QString &source, int out, double length,
                               const platform::FileState *stamp, bool events,
                               std::optional<int> *failure) {
    *failure = std::nullopt;
    QFile destination;
    destination.open(out, QIODevice::ReadWrite | QIODevice::Unbuffered,
                     QFileDevice::AutoCloseHandle);
    QFile in(source);
    bool copied = OpenSource(in, 1, 1, *failure) &&
                  CopyOpenRange(in, destination, 1, length, 1, {nullptr, {}, events}, *failure);
    if (copied && stamp)
        platform::ApplyModeAndTime(out, *stamp);
    // A copy that failed closes with the file; its first error is the one to report.
    copied = copied && CloseCopy(destination, *failure);
    return copied;
}
