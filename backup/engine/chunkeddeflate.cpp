#include "chunkeddeflate.h"

#include <QByteArray>
#include <QFile>
#include <QThreadPool>

#include <zip.h>
#include <zlib.h>

#include <deque>
#include <future>
#include <memory>
#include <mutex>
#include <vector>

namespace {

constexpr qint64 ChunkBytes = 256 * 1024;
constexpr int Window = 32768;
constexpr int Level = 6; // what a user gets from zip
// Chunks read ahead of the one being handed on: enough to keep every core busy, few enough that
// a file's zip holds only a few megabytes.
int InFlight() {
    return qMax(2, 2 * QThreadPool::globalInstance()->maxThreadCount());
}

// A chunk's input and output. Slots are kept for the next chunk and the next file: fresh
// megabytes for every chunk cost more in page faults than the deflate itself.
struct Slot {
    QByteArray in;
    QByteArray out;
    qint64 inLength = 0;
    qint64 outLength = 0;
    uLong crc = 0;
    bool ok = false;
};

} // namespace

class DeflateSlots::Pool {
public:
    std::unique_ptr<Slot> Take() {
        std::lock_guard lock(mutex);
        if (spare.empty())
            return std::make_unique<Slot>();
        auto slot = std::move(spare.back());
        spare.pop_back();
        return slot;
    }
    void Give(std::unique_ptr<Slot> slot) {
        std::lock_guard lock(mutex);
        if (int(spare.size()) < 2 * InFlight())
            spare.push_back(std::move(slot));
    }

private:
    std::mutex mutex;
    std::vector<std::unique_ptr<Slot>> spare;
};

DeflateSlots::DeflateSlots() : pool(std::make_unique<Pool>()) {}

DeflateSlots::~DeflateSlots() = default;

namespace {

// Each pool thread keeps its deflate state and resets it per chunk.
struct ThreadDeflater {
    z_stream z{};
    bool ready = false;
    ~ThreadDeflater() {
        if (ready)
            deflateEnd(&z);
    }
    z_stream *Stream() {
        if (ready)
            return deflateReset(&z) == Z_OK ? &z : nullptr;
        ready = deflateInit2(&z, Level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) == Z_OK;
        return ready ? &z : nullptr;
    }
};

// One chunk as raw deflate: ended by a sync flush so that the next chunk's bytes follow on a
// byte boundary, or by the final block for the last one.
void Deflate(Slot &slot, const QByteArray &primer, bool last) {
    thread_local ThreadDeflater deflater;
    slot.ok = false;
    slot.crc = crc32(0, reinterpret_cast<const Bytef *>(slot.in.constData()), uInt(slot.inLength));
    z_stream *z = deflater.Stream();
    if (!z)
        return;
    if (!primer.isEmpty())
        deflateSetDictionary(z, reinterpret_cast<const Bytef *>(primer.constData()),
                             uInt(primer.size()));
    const qsizetype bound = qsizetype(deflateBound(z, uLong(slot.inLength)) + 16);
    if (slot.out.size() < bound)
        slot.out.resize(bound);
    z->next_in = reinterpret_cast<Bytef *>(slot.in.data());
    z->avail_in = uInt(slot.inLength);
    qsizetype written = 0;
    int result = Z_OK;
    do {
        if (written == slot.out.size())
            slot.out.resize(slot.out.size() * 2);
        z->next_out = reinterpret_cast<Bytef *>(slot.out.data() + written);
        z->avail_out = uInt(slot.out.size() - written);
        result = deflate(z, last ? Z_FINISH : Z_SYNC_FLUSH);
        written = slot.out.size() - z->avail_out;
    } while (result == Z_OK && (last || z->avail_out == 0));
    slot.outLength = written;
    slot.ok = last ? result == Z_STREAM_END : (result == Z_OK || result == Z_BUF_ERROR);
}

class ChunkedSource {
public:
    ChunkedSource(const QString &path, qint64 length, DeflateSlots::Pool &slotPool,
                  ChunkWatch watch)
        : file(path), length(length), slotPool(slotPool), watch(std::move(watch)) {
        zip_error_init(&error);
    }
    ~ChunkedSource() {
        Drain();
        zip_error_fini(&error);
    }

    zip_int64_t Command(void *data, zip_uint64_t len, zip_source_cmd_t cmd) {
        switch (cmd) {
        case ZIP_SOURCE_OPEN:
            return Open();
        case ZIP_SOURCE_READ:
            return Read(static_cast<char *>(data), qint64(len));
        case ZIP_SOURCE_CLOSE:
            Drain();
            file.close();
            return 0;
        case ZIP_SOURCE_STAT:
            return Stat(static_cast<zip_stat_t *>(data));
        case ZIP_SOURCE_ERROR:
            return zip_error_to_data(&error, data, len);
        case ZIP_SOURCE_FREE:
            delete this;
            return 0;
        case ZIP_SOURCE_SUPPORTS:
            return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ,
                                                  ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                                  ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
        default:
            zip_error_set(&error, ZIP_ER_OPNOTSUPP, 0);
            return -1;
        }
    }

private:
    zip_int64_t Fail(int code, int systemError = 0) {
        zip_error_set(&error, code, systemError);
        return -1;
    }

    zip_int64_t Open() {
        Drain();
        if (!file.open(QIODevice::ReadOnly))
            return Fail(ZIP_ER_OPEN, errno);
        readBytes = 0;
        crc = crc32(0, nullptr, 0);
        compressedBytes = 0;
        finished = false;
        dictionary.clear();
        return 0;
    }

    // Reads and queues chunks until enough are under way; false on a read that fell short.
    bool FillPipeline() {
        while (int(pending.size()) < InFlight() && (readBytes < length || !issuedLast)) {
            const qint64 want = qMin(ChunkBytes, length - readBytes);
            std::unique_ptr<Slot> slot = slotPool.Take();
            if (slot->in.size() < want)
                slot->in.resize(want);
            slot->inLength = want;
            if (want > 0 && file.read(slot->in.data(), want) != want) {
                slotPool.Give(std::move(slot));
                return false;
            }
            readBytes += want;
            const bool last = readBytes == length;
            Slot *work = slot.get();
            auto task = std::make_shared<std::packaged_task<void()>>(
                [work, primer = dictionary, last] { Deflate(*work, primer, last); });
            pending.push_back({task->get_future(), std::move(slot)});
            QThreadPool::globalInstance()->start([task] { (*task)(); });
            dictionary = QByteArray(work->in.constData() + qMax<qint64>(0, want - Window),
                                    qMin<qint64>(want, Window));
            issuedLast = last;
        }
        return true;
    }

    zip_int64_t Read(char *data, qint64 len) {
        qint64 copied = 0;
        while (copied < len) {
            if (!current || offset == current->outLength) {
                Release();
                if (watch.stopped && watch.stopped())
                    return Fail(ZIP_ER_CANCELLED);
                if (!FillPipeline())
                    return Fail(ZIP_ER_READ, EIO);
                if (pending.empty()) {
                    finished = true;
                    break;
                }
                pending.front().done.wait();
                current = std::move(pending.front().slot);
                pending.pop_front();
                offset = 0;
                if (!current->ok)
                    return Fail(ZIP_ER_INTERNAL);
                crc = crc32_combine(crc, current->crc, current->inLength);
                handedOn += current->inLength;
                if (watch.advanced)
                    watch.advanced(length > 0 ? double(handedOn) / double(length) : 1.0);
            }
            const qint64 n = qMin(len - copied, current->outLength - offset);
            memcpy(data + copied, current->out.constData() + offset, size_t(n));
            copied += n;
            offset += n;
            compressedBytes += n;
        }
        return copied;
    }

    void Release() {
        if (current)
            slotPool.Give(std::move(current));
        offset = 0;
    }

    zip_int64_t Stat(zip_stat_t *st) {
        zip_stat_init(st);
        st->valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_METHOD;
        st->size = zip_uint64_t(length);
        st->comp_method = ZIP_CM_DEFLATE;
        if (finished) {
            st->valid |= ZIP_STAT_CRC | ZIP_STAT_COMP_SIZE;
            st->crc = zip_uint32_t(crc);
            st->comp_size = zip_uint64_t(compressedBytes);
        }
        return sizeof(*st);
    }

    // Chunks still on the pool hold copies of their input only; waiting for them keeps the pool
    // from working for a zip that is gone.
    void Drain() {
        for (Pending &chunk : pending) {
            chunk.done.wait();
            slotPool.Give(std::move(chunk.slot));
        }
        pending.clear();
        Release();
        issuedLast = false;
        handedOn = 0;
    }

    QFile file;
    const qint64 length;
    DeflateSlots::Pool &slotPool;
    ChunkWatch watch;
    zip_error_t error;
    struct Pending {
        std::future<void> done;
        std::unique_ptr<Slot> slot;
    };
    std::deque<Pending> pending;
    QByteArray dictionary;
    std::unique_ptr<Slot> current;
    qint64 offset = 0;
    qint64 readBytes = 0;
    qint64 handedOn = 0;
    qint64 compressedBytes = 0;
    uLong crc = 0;
    bool issuedLast = false;
    bool finished = false;
};

zip_int64_t Callback(void *state, void *data, zip_uint64_t len, zip_source_cmd_t cmd) {
    return static_cast<ChunkedSource *>(state)->Command(data, len, cmd);
}

} // namespace

zip_source *ChunkedDeflateSource(zip *archive, const QString &path, qint64 length,
                                 DeflateSlots &slotPool, ChunkWatch watch) {
    auto *state = new ChunkedSource(path, length, *slotPool.pool, std::move(watch));
    zip_source_t *source = zip_source_function(archive, Callback, state);
    if (!source)
        delete state;
    return source;
}
