// The reminder queue: order, removal and expiry, also across midnight.
#include "alertqueue.h"

#include <QtTest>

class TestAlertQueue : public QObject {
    Q_OBJECT
private slots:
    void sortsByExpiryKeepingOrderOfEquals();
    void expiry_data();
    void expiry();
    void expiredBehindTheHeadAreDroppedAll();
    void queuedJustAfterMidnightKeepsItsLifetime();
};

void TestAlertQueue::queuedJustAfterMidnightKeepsItsLifetime() {
    AlertQueue queue;
    queue.Add(QStringLiteral("older"), 720, 80000);
    queue.CheckEnds(86399);
    queue.Add(QStringLiteral("new"), 1, 30);
    queue.Sort();
    QCOMPARE(queue.At(0).text, QStringLiteral("new"));
    const AlertQueue::Expiry result = queue.CheckEnds(60);
    QVERIFY(!result.headExpired);
    QCOMPARE(queue.Last(), 1);
    QVERIFY(queue.CheckEnds(91).headExpired);
}

void TestAlertQueue::sortsByExpiryKeepingOrderOfEquals() {
    AlertQueue queue;
    queue.Add(QStringLiteral("late"), 30, 1000);
    queue.Add(QStringLiteral("first equal"), 10, 1000);
    queue.Add(QStringLiteral("second equal"), 10, 1000);
    queue.Add(QStringLiteral("early"), 5, 1000);
    queue.Sort();
    QCOMPARE(queue.Last(), 3);
    QCOMPARE(queue.At(0).text, QStringLiteral("early"));
    QCOMPARE(queue.At(1).text, QStringLiteral("first equal"));
    QCOMPARE(queue.At(2).text, QStringLiteral("second equal"));
    QCOMPARE(queue.At(3).text, QStringLiteral("late"));
    QCOMPARE(queue.At(0).ends, 1000 + 5 * 60.0);
    queue.Remove(1);
    QCOMPARE(queue.At(1).text, QStringLiteral("second equal"));
    queue.Remove(7);
    QCOMPARE(queue.Last(), 2);
}

void TestAlertQueue::expiry_data() {
    QTest::addColumn<double>("queuedAt");
    QTest::addColumn<double>("minutes");
    QTest::addColumn<QList<double>>("checks");
    QTest::addColumn<bool>("expired");
    QTest::newRow("before its time") << 36000.0 << 720.0 << QList<double>{36001, 79199} << false;
    QTest::newRow("after its time") << 36000.0 << 720.0 << QList<double>{36001, 79201} << true;
    // Queued at 23:00 for 12 hours: still there at 10:59, gone at 11:01.
    QTest::newRow("across midnight, not yet")
        << 82800.0 << 720.0 << QList<double>{86000, 100, 39540} << false;
    QTest::newRow("across midnight, expired")
        << 82800.0 << 720.0 << QList<double>{86000, 100, 39660} << true;
    // The checks paused for hours around midnight: the lifetime still counts whole days.
    QTest::newRow("checks paused over midnight, not yet")
        << 82800.0 << 720.0 << QList<double>{82801, 7200, 39540} << false;
    QTest::newRow("checks paused over midnight, expired")
        << 82800.0 << 720.0 << QList<double>{82801, 7200, 42000} << true;
}

void TestAlertQueue::expiry() {
    QFETCH(double, queuedAt);
    QFETCH(double, minutes);
    QFETCH(QList<double>, checks);
    QFETCH(bool, expired);
    AlertQueue queue;
    queue.Add(QStringLiteral("Its backup time!"), minutes, queuedAt);
    AlertQueue::Expiry result;
    for (double now : checks)
        result = queue.CheckEnds(now);
    QCOMPARE(result.headExpired, expired);
    QCOMPARE(result.dropped, 0);
    QCOMPARE(queue.Last(), 0);
}

void TestAlertQueue::expiredBehindTheHeadAreDroppedAll() {
    AlertQueue queue;
    queue.Add(QStringLiteral("head"), 1, 1000);
    queue.Add(QStringLiteral("a"), 2, 1000);
    queue.Add(QStringLiteral("b"), 2, 1000);
    queue.Add(QStringLiteral("stays"), 60, 1000);
    queue.Add(QStringLiteral("c"), 2, 1000);
    const AlertQueue::Expiry result = queue.CheckEnds(1000 + 3 * 60);
    QVERIFY(result.headExpired);
    QCOMPARE(result.dropped, 3);
    QCOMPARE(queue.Last(), 1);
    QCOMPARE(queue.At(0).text, QStringLiteral("head"));
    QCOMPARE(queue.At(1).text, QStringLiteral("stays"));
}

QTEST_GUILESS_MAIN(TestAlertQueue)
#include "tst_alertqueue.moc"
