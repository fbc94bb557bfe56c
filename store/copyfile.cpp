#include "copyfile.h"

#include "cancelflag.h"
#include "doevents.h"
#include "faultpoint.h"
#include "fileops.h"
#include "platform.h"
#include "textutil.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <memory>

namespace {

// Small enough that Cancel answers quickly on a slow medium, large enough to cost nothing.
constexpr qint64 BlockSize = 1048576;

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

bool ReportCopyFailure(const QString &source, const QString &destination, int number) {
    AskAbortCurrentOperation(QStringLiteral("A file error occured whilst copying a file.\n"
                                            "Copy failed.\nFrom : ") +
                             source + QStringLiteral("\nTo : ") + destination + QLatin1Char('\n') +
                             platform::ErrorWasText(number));
    return false;
}

namespace {

// Copies the range from the open source into the open destination.
bool CopyOpenRange(QFile &in, QFile &out, const QString &source, const QString &destination,
                   double sourceStart, double length, double destinationStart,
                   CopyProgressView *view, const QString &captionSuffix) {
    auto fail = [&](int number) { return ReportCopyFailure(source, destination, number); };
    qint64 remaining = std::max<qint64>(0, qint64(length));
    const double total = double(remaining) / 1024;
    const QString totalText = FormatSize(total);
    qint64 inOffset = qint64(sourceStart) - 1;
    qint64 outOffset = qint64(destinationStart) - 1;
    bool inSystem = true; // the system copies the bytes until it says it cannot
    EventPacer pacer;
    std::unique_ptr<char[]> buffer;
    while (remaining > 0) {
        if (CancelFlag())
            return false;
        const qint64 block = std::min(remaining, BlockSize);
        if (platform::InjectedFault(platform::FaultPoint::Read) != 0 ||
            platform::InjectedFault(platform::FaultPoint::Write) != 0)
            return fail(platform::LastFileError());
        qint64 moved = -2;
        if (inSystem) {
            errno = 0;
            moved = platform::CopyBetweenDescriptors(in.handle(), inOffset, out.handle(), outOffset,
                                                     block);
            if (moved < 0 && moved != -2)
                return fail(platform::LastFileError());
            // Some file systems report an early end to the system copy; reading settles it.
            inSystem = moved > 0;
        }
        if (moved <= 0) {
            if (!buffer)
                buffer.reset(new char[size_t(BlockSize)]);
            if (!SeekTo(in, inOffset) || !SeekTo(out, outOffset))
                return fail(platform::ErrDeviceIO);
            errno = 0;
            moved = in.read(buffer.get(), block);
            // A source shorter than the range (it shrank since it was measured) must not become
            // a copy padded with whatever the buffer held.
            if (moved <= 0)
                return fail(moved < 0 ? FailureOf(in) : int(platform::ErrInputPastEnd));
            errno = 0;
            const qint64 put = out.write(buffer.get(), moved);
            if (put != moved)
                return fail(put < 0 ? FailureOf(out) : int(platform::ErrDiskFull));
        }
        remaining -= moved;
        inOffset += moved;
        outOffset += moved;
        if (remaining > 0) {
            if (view) {
                const double done = total - double(remaining) / 1024;
                view->SetCopyLabel(FormatSize(done) + QStringLiteral(" Of ") + totalText +
                                   captionSuffix);
                view->SetCopyFraction(done / total);
            }
            // An event round of a window costs more than a block; the pacer keeps Cancel
            // answering within 50 ms.
            if (pacer.Due())
                DoEvents();
        }
    }
    if (view) {
        view->SetCopyLabel(QStringLiteral("---"));
        view->SetCopyFraction(1.0);
    }
    return true;
}

// Checks the positions and opens the source at its start; false after the failure's question.
bool OpenSource(QFile &in, const QString &destination, double sourceStart,
                double destinationStart) {
    if (sourceStart < 1 || destinationStart < 1)
        return ReportCopyFailure(in.fileName(), destination, platform::ErrBadFileNameOrNumber);
    if (!Open(in, QIODevice::ReadOnly, qint64(sourceStart) - 1))
        return ReportCopyFailure(in.fileName(), destination, FailureOf(in));
    return true;
}

// Closes a finished copy; the close is where a delayed write failure shows.
bool CloseCopy(QFile &out, const QString &source, const QString &destination) {
    errno = 0;
    if (platform::InjectedFault(platform::FaultPoint::Flush) != 0)
        return ReportCopyFailure(source, destination, platform::LastFileError());
    out.close();
    if (out.error() != QFileDevice::NoError)
        return ReportCopyFailure(source, destination, FailureOf(out));
    return true;
}

} // namespace

bool CopyFileRange(const QString &source, const QString &destination, double sourceStart,
                   double length, double destinationStart, CopyProgressView *view,
                   const QString &captionSuffix) {
    QFile in(source);
    if (!OpenSource(in, destination, sourceStart, destinationStart))
        return false;
    // Read/write keeps what the destination already holds: pieces are written into place.
    QFile out(destination);
    if (!Open(out, QIODevice::ReadWrite, qint64(destinationStart) - 1))
        return ReportCopyFailure(source, destination, FailureOf(out));
    if (!CopyOpenRange(in, out, source, destination, sourceStart, length, destinationStart, view,
                       captionSuffix))
        return false;
    return CloseCopy(out, source, destination);
}

bool CopyFileRangeInto(const QString &source, QFile &out, const QString &destination,
                       double sourceStart, double length, double destinationStart,
                       CopyProgressView *view, const QString &captionSuffix) {
    QFile in(source);
    if (!OpenSource(in, destination, sourceStart, destinationStart))
        return false;
    errno = 0;
    if (!SeekTo(out, qint64(destinationStart) - 1))
        return ReportCopyFailure(source, destination, FailureOf(out));
    return CopyOpenRange(in, out, source, destination, sourceStart, length, destinationStart, view,
                         captionSuffix);
}

MeasuredCopy CopyMeasuredRange(const QString &source, const QString &destination,
                               double sourceStart, double length,
                               const platform::FileState *measured, int *keepError,
                               CopyProgressView *view) {
    QFile in(source);
    if (!OpenSource(in, destination, sourceStart, 1))
        return MeasuredCopy::Failed;
    if (measured && platform::StateOfOpen(in.handle()) != *measured)
        return MeasuredCopy::ChangedBefore;
    QFile out(destination);
    if (!Open(out, QIODevice::WriteOnly | QIODevice::Truncate, 0)) {
        ReportCopyFailure(source, destination, FailureOf(out));
        return MeasuredCopy::Failed;
    }
    if (!CopyOpenRange(in, out, source, destination, sourceStart, length, 1, view, QString()))
        return MeasuredCopy::Failed;
    if (measured && platform::StateOfOpen(in.handle()) != *measured)
        return MeasuredCopy::ChangedDuring;
    if (out.size() != qint64(length))
        return MeasuredCopy::WrongLength;
    *keepError = platform::ErrNone;
    errno = 0;
    if (measured && !platform::ApplyModeAndTime(out.handle(), *measured))
        *keepError = platform::LastFileError();
    return CloseCopy(out, source, destination) ? MeasuredCopy::Copied : MeasuredCopy::Failed;
}
