#include "zipper.h"

#include "chunkeddeflate.h"
#include "doevents.h"
#include "platform.h"
#include "statuslog.h"
#include "zipestimates.h"
#include "zipfiletarget.h"
#include "ziptime.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <zip.h>

#include <atomic>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <sys/stat.h>

namespace {

// Progress units are 32 KiB of input, the granularity the estimate is made in.
constexpr double UnitBytes = 32768;

// The level a user gets from zip: the best level (what 0 means to the library) is several times
// slower on text with long repeats for a few percent less space.
constexpr zip_uint32_t DeflateLevel = 6;

} // namespace

// The zip the run waits for, and what zips on other threads see of an abort and a pause: every
// abort starts a new epoch, and a zip stops when the epoch it was queued in is over.
struct Zipper::State {
    qint64 estimated = -1;
    qint64 counted = 0;
    double percent = -1;
    double totalBytes = 0;
    bool abort = false;
    std::function<void(double)> listener;

    std::atomic<int> epoch{0};
    std::mutex mutex;
    std::condition_variable changed;
    bool held = false;

    DeflateSlots slotPool;
};

namespace {

using State = Zipper::State;

// What the callbacks of a zip on another thread are given.
struct Elsewhere {
    State *state;
    ZipProgress *progress;
};

// The estimate's units and percent for a zip that has read that fraction of its input.
void Advance(State &s, double fraction) {
    const qint64 units = qint64(fraction * s.totalBytes / UnitBytes);
    if (units > s.counted) {
        s.counted = units;
        if (s.estimated > 0) {
            s.percent = std::floor(double(s.counted) / double(s.estimated) * 10000) / 100;
            StatusPrint(QString::number(s.percent) + QStringLiteral("%"));
            if (s.listener)
                s.listener(s.percent);
        }
    }
}

void Progress(zip_t *, double fraction, void *data) {
    Advance(*static_cast<State *>(data), fraction);
    DoEvents();
}

int Cancelled(zip_t *, void *data) {
    return static_cast<const State *>(data)->abort ? 1 : 0;
}

// The callbacks of a zip on another thread: progress goes to its record, a pause holds it here,
// and an abort ends it.
bool Stopped(const State &s, const ZipProgress &progress) {
    return progress.abort || s.epoch != progress.epoch;
}

// A pause holds the zip here until the run goes on or stops.
void HoldWhilePaused(State &s, const ZipProgress &progress) {
    std::unique_lock lock(s.mutex);
    s.changed.wait(lock, [&] { return !s.held || Stopped(s, progress); });
}

// The chunked source reports how far it got; the library's own figure counts compressed bytes.
void ProgressElsewhere(zip_t *, double, void *data) {
    const auto *watch = static_cast<const Elsewhere *>(data);
    HoldWhilePaused(*watch->state, *watch->progress);
}

int CancelledElsewhere(zip_t *, void *data) {
    const auto *watch = static_cast<const Elsewhere *>(data);
    return Stopped(*watch->state, *watch->progress) ? 1 : 0;
}

struct Watch {
    zip_progress_callback progress;
    zip_cancel_callback cancelled;
    void *data;
};

// The files to add: each name, or with recurse the files below a named directory.
QStringList Sources(const QString &rootDir, const QStringList &names, int count, bool recurse) {
    QStringList sources;
    for (int i = 0; i < count; ++i) {
        const QString path = rootDir + names.at(i);
        if (recurse && QFileInfo(path).isDir()) {
            QDirIterator it(path, QDir::Files | QDir::Hidden | QDir::NoSymLinks,
                            QDirIterator::Subdirectories);
            while (it.hasNext())
                sources.append(it.next());
        } else {
            sources.append(path);
        }
    }
    return sources;
}

void AppendEstimateLine(const State &s, int count, double totalBytes) {
    QFile file(ZipEstimatesPath());
    if (!file.open(QIODevice::Append))
        return;
    const QString line = QStringLiteral("%1,%2,%3,%4,%5\r\n")
                             .arg(count)
                             .arg(qint64(totalBytes))
                             .arg(s.estimated)
                             .arg(s.counted)
                             .arg(s.estimated - s.counted);
    file.write(line.toUtf8());
}

// The entry carries the file's mode as a Unix zip tool writes it, and its time twice: the DOS
// time every tool reads, and the exact UTC time the restore prefers, which no time zone moves.
bool StampEntry(zip_t *archive, zip_uint64_t index, const platform::FileState &state) {
    const zip_uint32_t attributes = (zip_uint32_t(S_IFREG) | platform::KeptMode(state.mode)) << 16;
    const qint64 seconds = state.modified / 1000000000;
    return zip_file_set_mtime(archive, index, time_t(seconds), 0) == 0 &&
           SetExactEntryTime(archive, index, seconds) &&
           zip_file_set_external_attributes(archive, index, 0, ZIP_OPSYS_UNIX, attributes) == 0;
}

// Without states the library deflates each file as it reads it; with them (one per source) every
// file comes deflated in chunks on all cores, reporting to progress.
int AddAll(zip_t *archive, const QStringList &sources, const QList<platform::FileState> &states,
           const Elsewhere *watch) {
    for (qsizetype i = 0; i < sources.size(); ++i) {
        const QString &source = sources.at(i);
        const bool chunked = i < states.size();
        zip_source_t *data =
            chunked ? ChunkedDeflateSource(
                          archive, source, states.at(i).length, watch->state->slotPool,
                          {[watch](double fraction) {
                               watch->progress->fraction = fraction;
                               HoldWhilePaused(*watch->state, *watch->progress);
                           },
                           [watch] { return Stopped(*watch->state, *watch->progress); }})
                    : zip_source_file(archive, QFile::encodeName(source).constData(), 0, -1);
        if (!data)
            return zip_error_code_zip(zip_get_error(archive));
        const QByteArray entry = QFileInfo(source).fileName().toUtf8();
        const zip_int64_t index = zip_file_add(archive, entry.constData(), data, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(data);
            return zip_error_code_zip(zip_get_error(archive));
        }
        if (!chunked)
            zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, DeflateLevel);
        const platform::FileState state = chunked ? states.at(i) : platform::StateOf(source);
        if (!StampEntry(archive, zip_uint64_t(index), state))
            return zip_error_code_zip(zip_get_error(archive));
    }
    return ZIP_ER_OK;
}

int WriteArchive(const QString &zipFile, const QStringList &sources,
                 const QList<platform::FileState> &states, const Watch &watch, QString &errorText) {
    int error = 0;
    zip_t *archive = OpenNewArchive(zipFile, error);
    if (!archive)
        return error;
    zip_register_progress_callback_with_state(archive, 0.001, watch.progress, nullptr, watch.data);
    zip_register_cancel_callback_with_state(archive, watch.cancelled, nullptr, watch.data);
    // With states the data is an Elsewhere; without, the chunked source is never made.
    int result = AddAll(archive, sources, states,
                        states.isEmpty() ? nullptr : static_cast<const Elsewhere *>(watch.data));
    if (result == ZIP_ER_OK && zip_close(archive) == 0)
        return ZIP_ER_OK;
    if (result == ZIP_ER_OK)
        result = zip_error_code_zip(zip_get_error(archive));
    errorText = QString::fromUtf8(zip_strerror(archive)) + QStringLiteral("\n");
    zip_discard(archive);
    return result == ZIP_ER_OK ? ZIP_ER_INTERNAL : result;
}

} // namespace

qint64 ZipEstimateUnits(double totalBytes) {
    return qint64(std::nearbyint(std::fabs(totalBytes / UnitBytes - 2)));
}

namespace {

// What every zip the run waits for starts with: the last estimate logged, and the counters and
// the abort flag cleared.
void BeginZip(State &s) {
    s.percent = -1;
    if (s.estimated > 0)
        StatusPrint(QStringLiteral("Todo:%1 Done:%2 Diff:%3")
                        .arg(s.estimated)
                        .arg(s.counted)
                        .arg(s.estimated - s.counted));
    s.counted = 0;
    s.abort = false;
}

void Estimate(State &s, double totalBytes) {
    s.totalBytes = totalBytes;
    s.estimated = ZipEstimateUnits(totalBytes);
}

} // namespace

Zipper::Zipper() : state(std::make_unique<State>()) {}

Zipper::~Zipper() = default;

int Zipper::Files(const QString &zipFile, const QString &rootDir, const QStringList &names,
                  int count, bool recurse) {
    BeginZip(*state);
    if (count < 0 || count > MaxZipNames || count > names.size())
        return ZIP_ER_INVAL;

    double total = 0;
    for (int i = 0; i < count; ++i)
        total += double(QFileInfo(rootDir + names.at(i)).size());
    Estimate(*state, total);

    QString error;
    const int result = WriteArchive(zipFile, Sources(rootDir, names, count, recurse), {},
                                    {Progress, Cancelled, state.get()}, error);
    if (!error.isEmpty())
        StatusPrint(error);
    AppendEstimateLine(*state, count, total);
    return result;
}

int Zipper::Elsewhere(const QString &zipFile, const QString &source,
                      const platform::FileState &fileState, ZipProgress &progress) {
    ::Elsewhere watch{state.get(), &progress};
    return WriteArchive(zipFile, {source}, {fileState},
                        {ProgressElsewhere, CancelledElsewhere, &watch}, progress.error);
}

int Zipper::Await(const QString &source, ZipProgress &progress,
                  const std::function<bool(int milliseconds)> &waitDone) {
    State &s = *state;
    BeginZip(s);
    const double total = double(QFileInfo(source).size());
    Estimate(s, total);
    while (!waitDone(20)) {
        if (s.abort)
            Stop(progress);
        Advance(s, progress.fraction);
        DoEvents();
    }
    Advance(s, progress.fraction);
    if (!progress.error.isEmpty())
        StatusPrint(progress.error);
    AppendEstimateLine(s, 1, total);
    return progress.result;
}

void Zipper::Stop(ZipProgress &progress) {
    {
        std::lock_guard lock(state->mutex);
        progress.abort = true;
    }
    state->changed.notify_all();
}

int Zipper::Epoch() const {
    return state->epoch;
}

void Zipper::Hold(bool held) {
    {
        std::lock_guard lock(state->mutex);
        state->held = held;
    }
    state->changed.notify_all();
}

void Zipper::Abort() {
    state->abort = true;
    {
        std::lock_guard lock(state->mutex);
        ++state->epoch;
    }
    state->changed.notify_all();
}

double Zipper::PercentDone() const {
    return state->percent;
}

void Zipper::SetProgressListener(std::function<void(double percent)> listener) {
    state->listener = std::move(listener);
}

int ZipFiles(const QString &zipFile, const QString &rootDir, const QStringList &names, int count,
             bool recurse) {
    Zipper zipper;
    return zipper.Files(zipFile, rootDir, names, count, recurse);
}
