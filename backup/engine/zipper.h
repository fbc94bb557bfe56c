#pragma once
// Zips files into a zip archive with deflate, with a progress estimate and an abort that the
// Cancel button reaches through the event pump. Files zips on the calling thread, one zip at a
// time; Elsewhere zips on another thread, and the run's thread waits for it with Await.

#include "platform.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>

inline constexpr int MaxZipNames = 100;

// A zip made on another thread: how far it got, and how it ended.
struct ZipProgress {
    std::atomic<double> fraction{0}; // of its input read
    std::atomic<bool> abort{false};  // set to stop this zip alone
    int epoch = 0;                   // Epoch() when it was queued: an Abort since stops it
    int result = 0;                  // the zip library's error code once it ended
    QString error;                   // the library's text for a failure
};

// The zips of one run: the one it waits for (its estimate, percent and abort), the pause and
// the aborts that reach zips on other threads, and the deflate buffers they share.
class Zipper {
public:
    Zipper();
    ~Zipper();
    Zipper(const Zipper &) = delete;
    Zipper &operator=(const Zipper &) = delete;

    // Zips the first count names (at most 100), taken relative to rootDir, into zipFile, each
    // under its bare name. With recurse, a name that is a directory adds the files below it.
    // Returns 0 on success, otherwise the zip library's error code.
    int Files(const QString &zipFile, const QString &rootDir, const QStringList &names, int count,
              bool recurse);

    // Tells the running zip, and every zip on another thread, to stop at its next progress point.
    void Abort();
    // Stops that zip on another thread, also while zips are held.
    void Stop(ZipProgress &progress);
    // The abort count ZipProgress::epoch is taken from.
    int Epoch() const;

    // Zips one file into zipFile under its bare name, keeping state's mode and time in the entry,
    // on the calling thread without touching anything the run's thread uses: no events, no log.
    // Sets progress.error and returns the library's code; a pause (Hold) waits inside it.
    int Elsewhere(const QString &zipFile, const QString &source, const platform::FileState &state,
                  ZipProgress &progress);

    // On the run's thread, waits for a zip made by Elsewhere as Files would have made it: the
    // estimate, the percent and its listener, events running, an abort reaching the zip, the
    // status text and the estimates log. waitDone waits up to that long and says whether the zip
    // ended.
    int Await(const QString &source, ZipProgress &progress,
              const std::function<bool(int milliseconds)> &waitDone);

    // While held, zips on other threads wait at their next progress point (a pause of the run).
    void Hold(bool held);

    // Progress of the current zip in percent (truncated to two decimals); -1 while unknown.
    double PercentDone() const;

    // Called whenever the percent changes while a zip runs; nullptr removes it.
    void SetProgressListener(std::function<void(double percent)> listener);

    struct State;

private:
    std::unique_ptr<State> state;
};

// One zip, as Zipper::Files makes it, by a zipper of its own.
int ZipFiles(const QString &zipFile, const QString &rootDir, const QStringList &names, int count,
             bool recurse);

// The estimate: the whole number nearest to |totalBytes / 32768 - 2|.
qint64 ZipEstimateUnits(double totalBytes);
