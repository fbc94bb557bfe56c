// The text operations: sizes, durations, zero-padding, tokens and the stored form of numbers.

#include "textutil.h"

#include <QTest>

class TestTextUtil : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void formatSize_data() {
        QTest::addColumn<double>("kilobytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("quarter KB") << 0.25 << "256 B";
        QTest::newRow("half KB") << 0.5 << "512 B";
        QTest::newRow("zero") << 0.0 << "0 B";
        QTest::newRow("one KB") << 1.0 << "1 KB";
        QTest::newRow("exactly 1024 stays KB") << 1024.0 << "1024 KB";
        QTest::newRow("just above 1024") << 1025.0 << "1 MB";
        QTest::newRow("one and a half MB") << 1536.0 << "1.5 MB";
        QTest::newRow("truncated, not rounded") << 1234.567 << "1.2 MB";
        QTest::newRow("exactly 1024 MB stays MB") << 1048576.0 << "1024 MB";
        QTest::newRow("just above 1024 MB") << 1048577.0 << "1 GB";
        QTest::newRow("two decimals kept") << 1.239 << "1.23 KB";
    }
    void formatSize() {
        QFETCH(double, kilobytes);
        QFETCH(QString, text);
        QCOMPARE(FormatSize(kilobytes), text);
    }

    void formatDuration_data() {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<bool>("hours");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << false << "0";
        QTest::newRow("5") << 5 << false << "5";
        QTest::newRow("59") << 59 << false << "59";
        QTest::newRow("60") << 60 << false << "1:00";
        QTest::newRow("65") << 65 << false << "1:05";
        QTest::newRow("3600") << 3600 << false << "1:00:00";
        QTest::newRow("3661") << 3661 << false << "1:01:01";
        QTest::newRow("5 with hours") << 5 << true << "0:00:05";
        QTest::newRow("a day and more") << 90061 << false << "25:01:01";
        QTest::newRow("negative") << -1 << false << "!!!ERROR!!!";
    }
    void formatDuration() {
        QFETCH(int, seconds);
        QFETCH(bool, hours);
        QFETCH(QString, text);
        QCOMPARE(FormatDuration(seconds, hours), text);
    }

    void padNumber_data() {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("text");
        QTest::newRow("padded") << qint64(7) << 2 << "07";
        QTest::newRow("never cut") << qint64(123) << 2 << "123";
        QTest::newRow("medium folder") << qint64(12) << 3 << "012";
        QTest::newRow("eight digits") << qint64(7) << 8 << "00000007";
    }
    void padNumber() {
        QFETCH(qint64, value);
        QFETCH(int, width);
        QFETCH(QString, text);
        QCOMPARE(PadNumber(value, width), text);
    }

    void nextTokenSplitsAtTheFirstBar() {
        QString line = QStringLiteral("abc|def|");
        bool ok = false;
        QCOMPARE(NextToken(line, &ok), QStringLiteral("abc"));
        QVERIFY(ok);
        QCOMPARE(line, QStringLiteral("def|"));
        QCOMPARE(NextToken(line, &ok), QStringLiteral("def"));
        QCOMPARE(line, QString());
        NextToken(line, &ok);
        QVERIFY(!ok);
    }

    void addSlash_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("result");
        QTest::newRow("empty stays empty") << ""
                                           << "";
        QTest::newRow("root unchanged") << "/"
                                        << "/";
        QTest::newRow("added") << "/home/ann"
                               << "/home/ann/";
        QTest::newRow("not doubled") << "/home/ann/"
                                     << "/home/ann/";
    }
    void addSlash() {
        QFETCH(QString, path);
        QFETCH(QString, result);
        QCOMPARE(AddSlash(path), result);
    }

    void doubleTextIsShortestFixed_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 665600.0 << "665600";
        QTest::newRow("cluster") << 2041.0 << "2041";
        QTest::newRow("half") << 0.5 << "0.5";
        QTest::newRow("two decimals") << 4582277.12 << "4582277.12";
        QTest::newRow("small fraction") << 0.0009765625 << "0.0009765625";
        QTest::newRow("no limit") << -1.0 << "-1";
        QTest::newRow("large, never exponent") << 1e20 << "100000000000000000000";
        QTest::newRow("negative zero") << -0.0 << "0";
    }
    void doubleTextIsShortestFixed() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(DoubleText(value), text);
        QCOMPARE(text.toDouble(), value == 0 ? 0.0 : value);
    }
};

QTEST_GUILESS_MAIN(TestTextUtil)
#include "tst_textutil.moc"
