#include "zipahead.h"

#include <QFile>

#include <zip.h>

#include <algorithm>

ZipAhead::~ZipAhead() {
    Clear();
    {
        std::lock_guard lock(mutex);
        quit = true;
    }
    changed.notify_all();
    for (std::thread &worker : workers)
        worker.join();
}

bool ZipAhead::Queued(int key) const {
    std::lock_guard lock(mutex);
    return jobs.contains(key);
}

bool ZipAhead::Room(qint64 bytes, int waitingKey) const {
    std::lock_guard lock(mutex);
    int files = 0;
    qint64 ahead = bytes;
    for (auto it = jobs.cbegin(); it != jobs.cend(); ++it) {
        if (it.key() == waitingKey)
            continue;
        ++files;
        ahead += it.value()->state.length;
    }
    return files < MaxFiles && ahead <= MaxBytes;
}

void ZipAhead::Queue(int key, const QString &source, const QString &zipFile,
                     const platform::FileState &state, bool first) {
    std::unique_lock lock(mutex);
    if (const auto known = jobs.value(key)) {
        if (known->state == state && known->state.mode == state.mode) {
            // Already under way: only its place in the line may change.
            const auto at = std::find(waiting.begin(), waiting.end(), known);
            if (first && at != waiting.end()) {
                waiting.erase(at);
                waiting.push_front(known);
            }
            return;
        }
        Drop(lock, key); // the file changed since it was queued
    }
    auto job = std::make_shared<Job>();
    job->source = source;
    job->zipFile = zipFile;
    job->state = state;
    job->progress.epoch = zipper.Epoch();
    jobs.insert(key, job);
    if (first)
        waiting.push_front(job);
    else
        waiting.push_back(job);
    // Two workers: the file the run waits for and the next one share the cores.
    const unsigned cores = std::max(1u, std::min(2u, std::thread::hardware_concurrency()));
    while (workers.size() < cores)
        workers.emplace_back([this] { Work(); });
    lock.unlock();
    changed.notify_all();
}

int ZipAhead::Take(int key) {
    std::shared_ptr<Job> job;
    {
        std::lock_guard lock(mutex);
        job = jobs.value(key);
    }
    if (!job)
        return ZIP_ER_INTERNAL;
    const int result = zipper.Await(job->source, job->progress, [&](int milliseconds) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                [&] { return job->done; });
    });
    std::lock_guard lock(mutex);
    jobs.remove(key);
    return result;
}

void ZipAhead::Clear() {
    std::unique_lock lock(mutex);
    for (const auto &job : std::as_const(jobs))
        zipper.Stop(job->progress);
    while (!jobs.isEmpty())
        Drop(lock, jobs.begin().key());
}

void ZipAhead::Drop(std::unique_lock<std::mutex> &lock, int key) {
    const auto job = jobs.take(key);
    if (!job)
        return;
    waiting.erase(std::remove(waiting.begin(), waiting.end(), job), waiting.end());
    zipper.Stop(job->progress);
    changed.wait(lock, [&] { return job->done || !job->started; });
    // A zip that was stopped left nothing; one that ended before is removed here.
    QFile::remove(job->zipFile);
}

void ZipAhead::Work() {
    std::unique_lock lock(mutex);
    while (true) {
        changed.wait(lock, [this] { return quit || !waiting.empty(); });
        if (quit)
            return;
        const auto job = waiting.front();
        waiting.pop_front();
        job->started = true;
        lock.unlock();
        ZipProgress &progress = job->progress;
        const int result = zipper.Elsewhere(job->zipFile, job->source, job->state, progress);
        lock.lock();
        progress.result = result;
        job->done = true;
        changed.notify_all();
    }
}
