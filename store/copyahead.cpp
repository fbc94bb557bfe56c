#include "copyahead.h"

#include "doevents.h"

#include <algorithm>
#include <chrono>

CopyAhead::~CopyAhead() {
    {
        std::lock_guard lock(mutex);
        quit = true;
    }
    changed.notify_all();
    if (thread.joinable())
        thread.join();
}

bool CopyAhead::Room() const {
    // The system is asked once: the answer costs a system call.
    static const bool secondCore = std::thread::hardware_concurrency() > 1;
    if (!secondCore)
        return false;
    std::lock_guard lock(mutex);
    return jobs.size() < MaxHeld;
}

int CopyAhead::Next() const {
    std::lock_guard lock(mutex);
    return jobs.empty() ? -1 : jobs.front()->key;
}

int CopyAhead::Last() const {
    std::lock_guard lock(mutex);
    return jobs.empty() ? -1 : jobs.back()->key;
}

double CopyAhead::HeldSize() const {
    std::lock_guard lock(mutex);
    double size = 0;
    for (const auto &job : jobs)
        size += job->size;
    return size;
}

void CopyAhead::Start(int key, double size, Work work) {
    {
        std::lock_guard lock(mutex);
        jobs.push_back(std::make_shared<Job>(Job{key, size, std::move(work), State::Waiting}));
        if (!thread.joinable())
            thread = std::thread([this] { Run(); });
    }
    changed.notify_all();
}

std::shared_ptr<CopyAhead::Job> CopyAhead::FirstWaiting() const {
    const auto at = std::find_if(jobs.begin(), jobs.end(), [](const std::shared_ptr<Job> &job) {
        return job->state == State::Waiting;
    });
    return at == jobs.end() ? nullptr : *at;
}

void CopyAhead::RunJob(std::unique_lock<std::mutex> &lock, const std::shared_ptr<Job> &job,
                       bool onRunThread) {
    job->state = State::Running;
    lock.unlock();
    job->work(onRunThread);
    lock.lock();
    job->work = nullptr;
    job->state = State::Ended;
    changed.notify_all();
}

void CopyAhead::TakeBack(const std::function<bool()> &more) {
    EventPacer pacer;
    bool mayAskMore = bool(more);
    std::unique_lock lock(mutex);
    while (!jobs.empty() && jobs.front()->state != State::Ended) {
        // Rather than wait for the copy running here, the run's thread makes the next one
        // waiting itself; it is taken back in its turn all the same.
        if (const std::shared_ptr<Job> job = FirstWaiting()) {
            RunJob(lock, job, true);
            continue;
        }
        if (mayAskMore && jobs.size() < MaxHeld) {
            lock.unlock();
            mayAskMore = more();
            lock.lock();
            if (mayAskMore)
                continue;
        }
        changed.wait_for(lock, std::chrono::milliseconds(20));
        if (pacer.Due()) {
            lock.unlock();
            DoEvents();
            lock.lock();
        }
    }
    if (!jobs.empty())
        jobs.pop_front();
}

void CopyAhead::Run() {
    std::unique_lock lock(mutex);
    while (true) {
        // What was handed over runs even when quitting: each copy owns what it opened.
        changed.wait(lock, [this] { return FirstWaiting() || quit; });
        const std::shared_ptr<Job> job = FirstWaiting();
        if (!job)
            return;
        RunJob(lock, job, false);
    }
}
