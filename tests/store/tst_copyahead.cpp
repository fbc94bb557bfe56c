// Copies made ahead come back in the order they were handed over, whichever ends first; one not
// begun is made by the run's thread rather than waited for; and none is lost when the run ends.

#include "copyahead.h"

#include <QTest>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

// Waits up to two seconds for flag, so that a fault shows as a failure and not as a hang.
bool WaitFor(const std::atomic<bool> &flag) {
    for (int i = 0; i < 2000 && !flag; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return flag;
}

} // namespace

class TestCopyAhead : public QObject {
    Q_OBJECT
private slots:
    void takenBackInOrder() {
        if (std::thread::hardware_concurrency() < 2)
            QSKIP("copies are made ahead only with a second core");
        CopyAhead ahead;
        std::atomic<bool> ended[3] = {false, false, false};
        std::atomic<bool> lastEnded = false;
        // The first copy ends only after the last one has.
        ahead.Start(10, 1, [&](bool) { ended[0] = WaitFor(lastEnded); });
        ahead.Start(11, 1, [&](bool) { ended[1] = true; });
        ahead.Start(12, 1, [&](bool) { ended[2] = lastEnded = true; });
        for (int key = 10; key <= 12; ++key) {
            QCOMPARE(ahead.Next(), key);
            ahead.TakeBack();
            QVERIFY(ended[key - 10]);
        }
        QCOMPARE(ahead.Next(), -1);
    }

    // While the run waits for a copy still running, it makes the ones waiting behind it, and
    // asks for more, on its own thread.
    void waitingIsSpentOnTheNextCopies() {
        if (std::thread::hardware_concurrency() < 2)
            QSKIP("copies are made ahead only with a second core");
        CopyAhead ahead;
        const std::thread::id runThread = std::this_thread::get_id();
        std::atomic<bool> asked = false;
        std::atomic<bool> secondOnRunThread = false;
        std::atomic<bool> thirdOnRunThread = false;
        std::atomic<bool> firstBegun = false;
        std::atomic<bool> firstSawThird = false;
        ahead.Start(1, 1, [&](bool) {
            firstBegun = true;
            firstSawThird = WaitFor(thirdOnRunThread);
        });
        QVERIFY(WaitFor(firstBegun));
        ahead.Start(2, 1, [&](bool onRunThread) {
            secondOnRunThread = onRunThread && std::this_thread::get_id() == runThread;
        });
        ahead.TakeBack([&] {
            if (asked.exchange(true))
                return false;
            ahead.Start(3, 1, [&](bool onRunThread) {
                thirdOnRunThread = onRunThread && std::this_thread::get_id() == runThread;
            });
            return true;
        });
        QVERIFY(secondOnRunThread);
        QVERIFY(firstSawThird);
        QCOMPARE(ahead.Next(), 2);
    }

    // A copy owns what it opened, so every copy handed over runs, even when nobody takes it back.
    void everyCopyRunsWhenTheRunEnds() {
        std::atomic<int> ran = 0;
        {
            CopyAhead ahead;
            for (int key = 0; key < 5; ++key)
                ahead.Start(key, 1, [&](bool) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
                    ++ran;
                });
        }
        QCOMPARE(ran.load(), 5);
    }
};

QTEST_GUILESS_MAIN(TestCopyAhead)
#include "tst_copyahead.moc"
