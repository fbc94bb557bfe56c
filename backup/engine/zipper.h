#pragma once
// Zips files into a zip archive with deflate, with a progress estimate and an abort that the
// Cancel button reaches through the event pump. ZipFiles zips on the calling thread, one zip at a
// time; ZipElsewhere zips on another thread, and the run's thread waits for it with AwaitZip.

#include "platform.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

inline constexpr int MaxZipNames = 100;

// Zips the first count names (at most 100), taken relative to rootDir, into zipFile, each under
// its bare name. With recurse, a name that is a directory adds the files below it. Returns 0 on
// success, otherwise the zip library's error code.
int ZipFiles(const QString &zipFile, const QString &rootDir, const QStringList &names, int count,
             bool recurse);

// Tells the running zip, and every zip on another thread, to stop at its next progress point.
void ZipAbort();

// A zip made on another thread: how far it got, and how it ended.
struct ZipProgress {
    std::atomic<double> fraction{0}; // of its input read
    std::atomic<bool> abort{false};  // set to stop this zip alone
    int epoch = 0;                   // ZipEpoch() when it was queued: a ZipAbort since stops it
    int result = 0;                  // the zip library's error code once it ended
    QString error;                   // the library's text for a failure
};

// Stops that zip on another thread, also while zips are held.
void StopZip(ZipProgress &progress);

// The abort count ZipProgress::epoch is taken from.
int ZipEpoch();

// Zips one file into zipFile under its bare name, keeping state's mode and time in the entry, on
// the calling thread without touching anything the run's thread uses: no events, no log. Sets
// progress.error and returns the library's code; a pause (HoldZips) waits inside it.
int ZipElsewhere(const QString &zipFile, const QString &source, const platform::FileState &state,
                 ZipProgress &progress);

// On the run's thread, waits for a zip made by ZipElsewhere as ZipFiles would have made it: the
// estimate, the percent and its listener, events running, an abort reaching the zip, the status
// text and the estimates log. waitDone waits up to that long and says whether the zip ended.
int AwaitZip(const QString &source, ZipProgress &progress,
             const std::function<bool(int milliseconds)> &waitDone);

// While held, zips on other threads wait at their next progress point (a pause of the run).
void HoldZips(bool held);

// The estimate: the whole number nearest to |totalBytes / 32768 - 2|.
qint64 ZipEstimateUnits(double totalBytes);

// Progress of the current zip in percent (truncated to two decimals); -1 while unknown.
double ZipPercentDone();

// Called whenever the percent changes while a zip runs; nullptr removes it.
void SetZipProgressListener(std::function<void(double percent)> listener);
