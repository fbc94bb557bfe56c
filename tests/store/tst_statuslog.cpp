// The status log: line-break normalisation, time stamps, the length limit and its listeners.

#include "fixedclock.h"
#include "statuslog.h"

#include <QSignalSpy>
#include <QTest>

class TestStatusLog : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        StatusLog::Instance().Clear();
        StatusLog::Instance().SetPreviousStamp(false);
    }

    void normalisesLineBreaks_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("logged");
        QTest::newRow("CR LF stays single") << "a\r\nb"
                                            << "a\r\nb\r\n";
        QTest::newRow("LF becomes CR LF") << "a\nb"
                                          << "a\r\nb\r\n";
        QTest::newRow("lone CR") << "a\rb"
                                 << "a\r\nb\r\n";
        QTest::newRow("blank line pair loses one") << "a\r\n\r\nb"
                                                   << "a\r\n\r\nb\r\n";
        QTest::newRow("three LFs") << "a\n\n\nb"
                                   << "a\r\n\r\nb\r\n";
        QTest::newRow("tab is five spaces") << "a\tb"
                                            << "a     b\r\n";
        QTest::newRow("an entry's own last break is not doubled") << "a\n"
                                                                  << "a\r\n";
    }
    void normalisesLineBreaks() {
        QFETCH(QString, text);
        QFETCH(QString, logged);
        StatusPrint(text, false);
        QCOMPARE(StatusLog::Instance().Text(), logged);
    }

    void stampedCallAndTheOneAfterItAreStamped() {
        FixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(9, 15, 30)));
        StatusPrint(QStringLiteral("first"), true);
        StatusPrint(QStringLiteral("second"), false);
        StatusPrint(QStringLiteral("third"), false);
        const QString text = StatusLog::Instance().Text();
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines[0].endsWith(QStringLiteral("     first")));
        QVERIFY(lines[1].endsWith(QStringLiteral("     second")));
        QVERIFY(lines[0].contains(QStringLiteral("2026")) ||
                lines[0].contains(QStringLiteral("26")));
        QCOMPARE(lines[2], QStringLiteral("third"));
        QCOMPARE(lines[3], QString());
    }

    void oldestTextIsDroppedPastTheLimit() {
        StatusPrint(QString(15000, QLatin1Char('a')), false);
        StatusPrint(QString(10000, QLatin1Char('b')), false);
        const QString text = StatusLog::Instance().Text();
        QCOMPARE(text.size(), StatusLog::MaxLength);
        QVERIFY(text.startsWith(QString(9996, QLatin1Char('a')) + QStringLiteral("\r\nb")));
        QVERIFY(text.endsWith(QString(10000, QLatin1Char('b')) + QStringLiteral("\r\n")));
    }

    void listenersHearEveryEntry() {
        QSignalSpy printed(&StatusLog::Instance(), &StatusLog::Printed);
        QSignalSpy cleared(&StatusLog::Instance(), &StatusLog::Cleared);
        StatusPrint(QStringLiteral("one\n"), false);
        StatusPrint(QStringLiteral("two"), false);
        QCOMPARE(printed.size(), 2);
        QCOMPARE(printed[0][0].toString(), QStringLiteral("one\r\n"));
        StatusLog::Instance().Clear();
        QCOMPARE(cleared.size(), 1);
        QCOMPARE(StatusLog::Instance().Text(), QString());
    }
};

QTEST_GUILESS_MAIN(TestStatusLog)
#include "tst_statuslog.moc"
