// The diagnostics window: the log as the user sees it, its limit, Clear, Close, the statistics
// entry and the forced update that only exists once somebody provides it.

#include "fixedclock.h"
#include "frmQuoxel.h"
#include "model.h"
#include "statuslog.h"
#include "windowlook.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

class TestQuoxel : public QObject {
    Q_OBJECT

    QPlainTextEdit *Box(frmQuoxel &w) {
        return w.findChild<QPlainTextEdit *>(QStringLiteral("txtStatus"));
    }
    void Click(frmQuoxel &w, const char *name) {
        auto *button = w.findChild<QPushButton *>(QString::fromLatin1(name));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }

private Q_SLOTS:
    void init() {
        StatusLog::Instance().Clear();
        StatusLog::Instance().SetPreviousStamp(false);
        ResetSettings();
    }

    void controlsCarryTheirCaptions_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("stats") << "cmdStats"
                               << "Work Out Stats";
        QTest::newRow("force") << "cmdForce"
                               << "Force Update";
        QTest::newRow("clear") << "cmdClear"
                               << "Clear";
        QTest::newRow("close") << "cmdClose"
                               << "Close";
    }
    void controlsCarryTheirCaptions() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        frmQuoxel w;
        auto *button = w.findChild<QPushButton *>(name);
        QVERIFY(button);
        QCOMPARE(button->text(), caption);
        QCOMPARE(w.findChild<QLabel *>(QStringLiteral("lblStatus"))->text(),
                 QStringLiteral("Status Print :"));
    }

    // Each entry on its own line, whatever it ended with, stamped or not; the box shows the
    // log's CR LF as plain line breaks.
    void logIsShownOneEntryALine_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("shown");
        QTest::newRow("CR LF") << QStringList{"one\r\ntwo"} << "one\ntwo\n";
        QTest::newRow("CR LF CR LF keeps one blank line")
            << QStringList{"one\r\n\r\ntwo"} << "one\n\ntwo\n";
        QTest::newRow("lone CR") << QStringList{"one\rtwo"} << "one\ntwo\n";
        QTest::newRow("tab") << QStringList{"a\tb"} << "a     b\n";
        QTest::newRow("entries do not run together")
            << QStringList{"Backup Started", "Backup - Numbackups now increased!"}
            << "Backup Started\nBackup - Numbackups now increased!\n";
        QTest::newRow("an entry's own line break is not doubled")
            << QStringList{"12.5%\n", "25%"} << "12.5%\n25%\n";
    }
    void logIsShownOneEntryALine() {
        QFETCH(QStringList, entries);
        QFETCH(QString, shown);
        frmQuoxel w;
        w.ShowForm();
        for (const QString &entry : entries)
            StatusPrint(entry, false);
        QCOMPARE(Box(w)->toPlainText(), shown);
        QVERIFY(Box(w)->textCursor().atEnd());
        SaveShot(w, QStringLiteral("frmQuoxel-entries"));
    }

    void entriesPrintedWhileHiddenAppearWhenShown() {
        frmQuoxel w;
        StatusPrint(QStringLiteral("before"), false);
        w.ShowForm();
        StatusPrint(QStringLiteral("after"), false);
        QCOMPARE(Box(w)->toPlainText(), QStringLiteral("before\nafter\n"));
    }

    void oldestTextLeavesTheBoxPastTheLimit() {
        frmQuoxel w;
        w.ShowForm();
        StatusPrint(QString(15000, QLatin1Char('a')), false);
        StatusPrint(QString(10000, QLatin1Char('b')), false);
        const QString shown = Box(w)->toPlainText();
        // The log's two CR LF show as two line breaks.
        QCOMPARE(shown.size(), StatusLog::MaxLength - 2);
        QVERIFY(shown.startsWith(QString(9996, QLatin1Char('a')) + QStringLiteral("\nb")));
        QVERIFY(Box(w)->textCursor().atEnd());
    }

    void clearEmptiesLogAndBox() {
        frmQuoxel w;
        w.ShowForm();
        StatusPrint(QStringLiteral("something"), false);
        Click(w, "cmdClear");
        QCOMPARE(Box(w)->toPlainText(), QString());
        QCOMPARE(StatusLog::Instance().Text(), QString());
    }

    void closeHidesAndKeepsTheLog() {
        frmQuoxel w;
        w.ShowForm();
        StatusPrint(QStringLiteral("kept"), false);
        Click(w, "cmdClose");
        QVERIFY(!w.isVisible());
        StatusPrint(QStringLiteral("and more"), false);
        w.ShowForm();
        QCOMPARE(Box(w)->toPlainText(), QStringLiteral("kept\nand more\n"));
    }

    void statisticsAreLoggedAsOneStampedEntry() {
        FixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(10, 30)));
        Model &m = TheModel();
        m.Backups.append(BackupRecord());
        for (int copies : {2, 1, 1}) {
            FileRecord file;
            file.Path = QStringLiteral("/d/");
            file.Name = QStringLiteral("f");
            file.Versions = QList<VersionRecord>(copies, VersionRecord());
            m.Files.append(file);
        }
        frmQuoxel w;
        w.ShowForm();
        Click(w, "cmdStats");
        const QString shown = Box(w)->toPlainText();
        const QString stamp = QLocale::system().toString(clock.Now(), QLocale::ShortFormat);
        QVERIFY(shown.startsWith(stamp + QLatin1String("     ") + QString(25, QLatin1Char('\n')) +
                                 QLatin1String("Files Backed Up                   : 3\n")));
        QVERIFY(shown.contains(QLatin1String("\nTotal Files Backed Up             : 4\n")));
        QVERIFY(shown.contains(QLatin1String("\nExcess Files Backed Up            : 1\n\n")));
        QVERIFY(shown.endsWith(QLatin1String("Average Times A File Is Backed Up : 1.33\n"
                                             "Average File Size                 : 0 B\n"
                                             "Average Size On Disk              : 0 B\n"
                                             "Average Files Per Backup          : 4\n")));
    }

    void controlsFitInsideTheWindowApart() {
        frmQuoxel w;
        w.ShowForm();
        w.WorkOutStats();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QList<QWidget *> controls;
        for (const char *name :
             {"lblStatus", "txtStatus", "cmdStats", "cmdForce", "cmdClear", "cmdClose"})
            controls.append(w.findChild<QWidget *>(QString::fromLatin1(name)));
        for (int i = 0; i < controls.size(); ++i) {
            QVERIFY(w.rect().contains(controls[i]->geometry()));
            for (int j = i + 1; j < controls.size(); ++j)
                QVERIFY(!controls[i]->geometry().intersects(controls[j]->geometry()));
        }
        for (QWidget *control : controls.mid(2)) {
            auto *button = static_cast<QPushButton *>(control);
            QVERIFY(button->width() >= button->fontMetrics().horizontalAdvance(button->text()));
        }
        SaveShot(w, QStringLiteral("frmQuoxel"));
    }

    void forceUpdateWaitsForAnUpdateCheck() {
        frmQuoxel w;
        auto *force = w.findChild<QPushButton *>(QStringLiteral("cmdForce"));
        QVERIFY(!force->isEnabled());
        int checks = 0;
        w.SetForceUpdateAction([&checks] { ++checks; });
        QVERIFY(force->isEnabled());
        w.ShowForm();
        Click(w, "cmdForce");
        QCOMPARE(checks, 1);
        w.SetForceUpdateAction({});
        QVERIFY(!force->isEnabled());
    }
};

QTEST_MAIN(TestQuoxel)
#include "tst_quoxel.moc"
