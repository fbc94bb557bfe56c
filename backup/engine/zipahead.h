#pragma once
// Zips files on worker threads ahead of the run: zipping is the one step of a backup bound by the
// processor, so the file the run waits for and the ones that come next are compressed on every
// core while the current one is written. Few files and few bytes are ever zipped ahead, and
// nothing made ahead outlives Clear().

#include "platform.h"
#include "zipper.h"

#include <QHash>
#include <QString>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class ZipAhead {
public:
    // Besides the file the run waits for, at most this many files and bytes are zipped ahead.
    static constexpr int MaxFiles = 2;
    static constexpr qint64 MaxBytes = 64 * 1024 * 1024;

    explicit ZipAhead(Zipper &zipper) : zipper(zipper) {}
    ~ZipAhead();
    ZipAhead(const ZipAhead &) = delete;
    ZipAhead &operator=(const ZipAhead &) = delete;

    bool Queued(int key) const;
    // Whether a file of that many bytes may be zipped ahead of the one the run waits for.
    bool Room(qint64 bytes, int waitingKey) const;
    // Starts zipping source, as it is in state, into zipFile; first puts it before the files
    // queued ahead. A key queued before with another state is zipped anew.
    void Queue(int key, const QString &source, const QString &zipFile,
               const platform::FileState &state, bool first);
    // Waits for the zip of a queued key as Zipper::Files would (see Zipper::Await) and returns the
    // zip library's code; from then on the zip file is the caller's. An unknown key is an error.
    int Take(int key);
    // Stops every zip and removes every zip file not taken.
    void Clear();

private:
    struct Job {
        QString source;
        QString zipFile;
        platform::FileState state;
        ZipProgress progress;
        bool started = false;
        bool done = false;
    };

    void Work();
    // With the lock held: stops the job, waits until no worker has it and removes its file.
    void Drop(std::unique_lock<std::mutex> &lock, int key);

    Zipper &zipper;
    mutable std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::shared_ptr<Job>> waiting; // not started yet, in the order to start them
    QHash<int, std::shared_ptr<Job>> jobs;    // every job not taken, by key
    std::vector<std::thread> workers;         // started with the first job
    bool quit = false;
};
