#pragma once
// Copies made ahead on a thread of their own. A plain copy is bound by the processor (the system
// copies page by page), so two copies at once take little more than half the time of one after
// the other: while a run copies the file at hand, the next files' copies run here. The run
// decides everything about those files beforehand and takes each copy back, in the order given,
// when it reaches its file, so what it shows, asks and records stays in order. The work given
// here never shows or asks.

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class CopyAhead {
public:
    // Copies held at most (running, waiting or ended and not taken back).
    static constexpr std::size_t MaxHeld = 8;

    CopyAhead() = default;
    // Lets the copies handed over run to their end (they watch the cancel flag).
    ~CopyAhead();
    CopyAhead(const CopyAhead &) = delete;
    CopyAhead &operator=(const CopyAhead &) = delete;

    // Whether another copy may start: the machine has a second core, and fewer than MaxHeld
    // are held.
    bool Room() const;
    // The key of the copy to take back next, or -1 when none is held.
    int Next() const;
    // The key of the copy handed over last, or -1 when none is held.
    int Last() const;
    // The work learns whether it runs on the run's thread (where window events may run).
    using Work = std::function<void(bool onRunThread)>;
    // size: how much the copy is, in the caller's unit, for HeldSize.
    void Start(int key, double size, Work work);
    // The size of the copies held, so that the run hands over as much as it copies itself.
    double HeldSize() const;
    // Waits until the next copy has ended, letting window events run, and lets it go: what it
    // ended with is the caller's. Meanwhile the run's thread makes the copies not begun yet,
    // and asks more (which answers whether it started another copy) for further ones.
    void TakeBack(const std::function<bool()> &more = nullptr);

private:
    enum class State { Waiting, Running, Ended };
    struct Job {
        int key = -1;
        double size = 0;
        Work work;
        State state = State::Waiting;
    };
    // With the lock held.
    std::shared_ptr<Job> FirstWaiting() const;
    void RunJob(std::unique_lock<std::mutex> &lock, const std::shared_ptr<Job> &job,
                bool onRunThread);
    void Run();

    mutable std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::shared_ptr<Job>> jobs; // in the order handed over
    std::thread thread;                    // started with the first copy
    bool quit = false;
};
