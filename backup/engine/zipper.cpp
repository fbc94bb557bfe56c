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

struct ZipState {
    qint64 estimated = -1;
    qint64 counted = 0;
    double percent = -1;
    double totalBytes = 0;
    bool abort = false;
    std::function<void(double)> listener;
};

ZipState &State() {
    static ZipState state;
    return state;
}

// What zips on other threads see of an abort and a pause: every abort starts a new epoch, and a
// zip stops when the epoch it was queued in is over.
struct SharedStop {
    std::atomic<int> epoch{0};
    std::mutex mutex;
    std::condition_variable changed;
    bool held = false;
};

SharedStop &Shared() {
    static SharedStop shared;
    return shared;
}

// The estimate's units and percent for a zip that has read that fraction of its input.
void Advance(double fraction) {
    ZipState &s = State();
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

void Progress(zip_t *, double fraction, void *) {
    Advance(fraction);
    DoEvents();
}

int Cancelled(zip_t *, void *) {
    return State().abort ? 1 : 0;
}

// The callbacks of a zip on another thread: progress goes to its record, a pause holds it here,
// and an abort ends it.
bool Stopped(const ZipProgress &progress) {
    return progress.abort || Shared().epoch != progress.epoch;
}

// A pause holds the zip here until the run goes on or stops.
void HoldWhilePaused(const ZipProgress &progress) {
    SharedStop &shared = Shared();
    std::unique_lock lock(shared.mutex);
    shared.changed.wait(lock, [&] { return !shared.held || Stopped(progress); });
}

// The chunked source reports how far it got; the library's own figure counts compressed bytes.
void ProgressElsewhere(zip_t *, double, void *data) {
    HoldWhilePaused(*static_cast<ZipProgress *>(data));
}

int CancelledElsewhere(zip_t *, void *data) {
    return Stopped(*static_cast<const ZipProgress *>(data)) ? 1 : 0;
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

void AppendEstimateLine(int count, double totalBytes) {
    const ZipState &s = State();
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
           ZipProgress *progress) {
    for (qsizetype i = 0; i < sources.size(); ++i) {
        const QString &source = sources.at(i);
        const bool chunked = i < states.size();
        zip_source_t *data =
            chunked ? ChunkedDeflateSource(archive, source, states.at(i).length,
                                           {[progress](double fraction) {
                                                progress->fraction = fraction;
                                                HoldWhilePaused(*progress);
                                            },
                                            [progress] { return Stopped(*progress); }})
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
    int result = AddAll(archive, sources, states, static_cast<ZipProgress *>(watch.data));
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
void BeginZip() {
    ZipState &s = State();
    s.percent = -1;
    if (s.estimated > 0)
        StatusPrint(QStringLiteral("Todo:%1 Done:%2 Diff:%3")
                        .arg(s.estimated)
                        .arg(s.counted)
                        .arg(s.estimated - s.counted));
    s.counted = 0;
    s.abort = false;
}

void Estimate(double totalBytes) {
    ZipState &s = State();
    s.totalBytes = totalBytes;
    s.estimated = ZipEstimateUnits(totalBytes);
}

} // namespace

int ZipFiles(const QString &zipFile, const QString &rootDir, const QStringList &names, int count,
             bool recurse) {
    BeginZip();
    if (count < 0 || count > MaxZipNames || count > names.size())
        return ZIP_ER_INVAL;

    double total = 0;
    for (int i = 0; i < count; ++i)
        total += double(QFileInfo(rootDir + names.at(i)).size());
    Estimate(total);

    QString error;
    const int result = WriteArchive(zipFile, Sources(rootDir, names, count, recurse), {},
                                    {Progress, Cancelled, nullptr}, error);
    if (!error.isEmpty())
        StatusPrint(error);
    AppendEstimateLine(count, total);
    return result;
}

int ZipElsewhere(const QString &zipFile, const QString &source, const platform::FileState &state,
                 ZipProgress &progress) {
    return WriteArchive(zipFile, {source}, {state},
                        {ProgressElsewhere, CancelledElsewhere, &progress}, progress.error);
}

int AwaitZip(const QString &source, ZipProgress &progress,
             const std::function<bool(int milliseconds)> &waitDone) {
    BeginZip();
    const double total = double(QFileInfo(source).size());
    Estimate(total);
    while (!waitDone(20)) {
        if (State().abort)
            StopZip(progress);
        Advance(progress.fraction);
        DoEvents();
    }
    Advance(progress.fraction);
    if (!progress.error.isEmpty())
        StatusPrint(progress.error);
    AppendEstimateLine(1, total);
    return progress.result;
}

void StopZip(ZipProgress &progress) {
    SharedStop &shared = Shared();
    {
        std::lock_guard lock(shared.mutex);
        progress.abort = true;
    }
    shared.changed.notify_all();
}

int ZipEpoch() {
    return Shared().epoch;
}

void HoldZips(bool held) {
    SharedStop &shared = Shared();
    {
        std::lock_guard lock(shared.mutex);
        shared.held = held;
    }
    shared.changed.notify_all();
}

void ZipAbort() {
    State().abort = true;
    SharedStop &shared = Shared();
    {
        std::lock_guard lock(shared.mutex);
        ++shared.epoch;
    }
    shared.changed.notify_all();
}

double ZipPercentDone() {
    return State().percent;
}

void SetZipProgressListener(std::function<void(double percent)> listener) {
    State().listener = std::move(listener);
}
