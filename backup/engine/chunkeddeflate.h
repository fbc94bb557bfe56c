#pragma once
// A zip source that hands the library a file already deflated, compressed in chunks on every
// core: one large file would otherwise keep one core busy while the others idle. Each chunk is
// primed with the 32 KiB before it, so the stream is one standard deflate stream, about as small
// as a single pass makes it.

#include <QString>

#include <functional>
#include <memory>

struct zip;
struct zip_source;

struct ChunkWatch {
    // How much of the input the chunks handed on so far cover; may block while the run pauses.
    std::function<void(double fraction)> advanced;
    // True when the zip is to stop; the source then fails with ZIP_ER_CANCELLED.
    std::function<bool()> stopped;
};

// The buffers chunks are deflated in, kept for the next chunk and the next file: fresh megabytes
// for every chunk cost more in page faults than the deflate itself.
class DeflateSlots {
public:
    DeflateSlots();
    ~DeflateSlots();
    DeflateSlots(const DeflateSlots &) = delete;
    DeflateSlots &operator=(const DeflateSlots &) = delete;

    class Pool;

private:
    friend zip_source *ChunkedDeflateSource(zip *, const QString &, qint64, DeflateSlots &,
                                            ChunkWatch);
    std::unique_ptr<Pool> pool;
};

// The source for the file at path, whose length must be length bytes; nullptr with the
// archive's error set when it cannot be made.
zip_source *ChunkedDeflateSource(zip *archive, const QString &path, qint64 length,
                                 DeflateSlots &slotPool, ChunkWatch watch);
