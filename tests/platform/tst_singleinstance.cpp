#include "platform.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTest>
#include <QUuid>

#include <cstdio>
#include <cstring>

using namespace platform;

namespace {

const char *holdSwitch = "--hold-lock";

// Run as a child of the test: takes the lock, says so, and waits to be killed.
int HoldLock(const QString &name) {
    SingleInstanceLock lock(name);
    std::puts(lock.TryAcquire() ? "held" : "refused");
    std::fflush(stdout);
    char line[16];
    while (std::fgets(line, sizeof line, stdin))
        ;
    return 0;
}

QString UniqueName() {
    return QStringLiteral("pellmoor-test-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT

    // A child process that holds the lock until it is killed or its input closes.
    static bool StartHolder(QProcess &holder, const QString &name, QByteArray *answer) {
        holder.start(QCoreApplication::applicationFilePath(),
                     {QString::fromLatin1(holdSwitch), name});
        if (!holder.waitForStarted() || !holder.waitForReadyRead())
            return false;
        *answer = holder.readLine().trimmed();
        return true;
    }

private slots:
    void SecondLockRefusedWhileFirstHeld() {
        const QString name = UniqueName();
        auto first = std::make_unique<SingleInstanceLock>(name);
        QVERIFY(first->TryAcquire());
        QVERIFY(first->IsHeld());
        QVERIFY(first->TryAcquire());

        SingleInstanceLock second(name);
        QVERIFY(!second.TryAcquire());
        QVERIFY(!second.IsHeld());

        first.reset();
        QVERIFY(second.TryAcquire());
        QVERIFY(second.IsHeld());
    }

    void OtherNameIndependent() {
        SingleInstanceLock first(UniqueName());
        SingleInstanceLock second(UniqueName());
        QVERIFY(first.TryAcquire());
        QVERIFY(second.TryAcquire());
    }

    void RefusedWhileAnotherProcessHoldsIt() {
        const QString name = UniqueName();
        QProcess holder;
        QByteArray answer;
        QVERIFY(StartHolder(holder, name, &answer));
        QCOMPARE(answer, QByteArray("held"));
        SingleInstanceLock lock(name);
        QVERIFY(!lock.TryAcquire());

        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished());
        QVERIFY(lock.TryAcquire());
    }

    void LockOfKilledProcessTakenOver() {
        const QString name = UniqueName();
        QProcess holder;
        QByteArray answer;
        QVERIFY(StartHolder(holder, name, &answer));
        QCOMPARE(answer, QByteArray("held"));
        holder.kill();
        QVERIFY(holder.waitForFinished());

        SingleInstanceLock lock(name);
        QVERIFY(lock.TryAcquire());
    }
};

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], holdSwitch) == 0)
        return HoldLock(QString::fromLocal8Bit(argv[2]));
    TestSingleInstance test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_singleinstance.moc"
