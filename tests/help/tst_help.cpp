// The help window: which source it offers and picks for the files beside the program, what each
// source shows, the built-in guide's outline, text sizes, the size limit, Sticky and the
// double-click that opens the diagnostics window.

#include "frmHelp.h"
#include "internalhelp.h"
#include "platform.h"
#include "temptree.h"
#include "windowlook.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

class TestHelp : public QObject {
    Q_OBJECT

    static QRadioButton *Option(frmHelp &w, int i) {
        return w.findChild<QRadioButton *>(QStringLiteral("optIntExt_%1").arg(i));
    }
    static QPlainTextEdit *TextBox(frmHelp &w) {
        return w.findChild<QPlainTextEdit *>(QStringLiteral("txtHelp"));
    }
    static QTextBrowser *Browser(frmHelp &w) {
        return w.findChild<QTextBrowser *>(QStringLiteral("webHelp"));
    }
    // Clicks the option's indicator: a radio button answers only on its indicator and caption.
    static void Pick(frmHelp &w, int i) {
        QRadioButton *option = Option(w, i);
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
    }
    static int Chosen(frmHelp &w) {
        for (int i = 0; i < 3; ++i)
            if (Option(w, i)->isChecked())
                return i;
        return -1;
    }

private Q_SLOTS:
    void cleanup() { platform::SetProgramDirectory(QString()); }

    void sourcesFollowTheFilesBesideTheProgram_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QString>("htmlCaption");
        QTest::addColumn<QString>("textCaption");
        const QString htmlMissing = QStringLiteral("\"!Help.Htm\" Not Found");
        const QString textMissing = QStringLiteral("\"!Help.txt\" Not Found");
        const QString htmlLoad = QStringLiteral("Load \"!Help.Htm\"");
        const QString textLoad = QStringLiteral("Load \"!Help.txt\"");
        QTest::newRow("neither") << QStringList{} << 2 << htmlMissing << textMissing;
        QTest::newRow("text only")
            << QStringList{QStringLiteral("!Help.txt=plain guide")} << 1 << htmlMissing << textLoad;
        QTest::newRow("html only") << QStringList{QStringLiteral("!Help.Htm=<p>web guide</p>")} << 0
                                   << htmlLoad << textMissing;
        QTest::newRow("both") << QStringList{QStringLiteral("!Help.Htm=<p>web guide</p>"),
                                             QStringLiteral("!Help.txt=plain guide")}
                              << 0 << htmlLoad << textLoad;
        QTest::newRow("other spelling is not ours")
            << QStringList{QStringLiteral("!help.txt=plain guide")} << 2 << htmlMissing
            << textMissing;
    }
    void sourcesFollowTheFilesBesideTheProgram() {
        QFETCH(QStringList, files);
        QFETCH(int, chosen);
        QFETCH(QString, htmlCaption);
        QFETCH(QString, textCaption);
        TempTree dir(files);
        platform::SetProgramDirectory(dir.Root());
        frmHelp w;
        w.ShowForm();
        QCOMPARE(Chosen(w), chosen);
        QCOMPARE(Option(w, 0)->text(), htmlCaption);
        QCOMPARE(Option(w, 1)->text(), textCaption);
        QCOMPARE(Option(w, 2)->text(), QStringLiteral("Load Internal Help"));
        QCOMPARE(Option(w, 0)->isEnabled(), !htmlCaption.endsWith(QLatin1String("Not Found")));
        QCOMPARE(Option(w, 1)->isEnabled(), !textCaption.endsWith(QLatin1String("Not Found")));
        QVERIFY(Option(w, 2)->isEnabled());
        QCOMPARE(Browser(w)->isVisible(), chosen == 0);
        QCOMPARE(TextBox(w)->isVisible(), chosen != 0);
    }

    void eachSourceShowsItsOwnText() {
        TempTree dir({QStringLiteral("!Help.Htm=<html><body><p>web guide</p></body></html>"),
                      QStringLiteral("!Help.txt=line one\r\nline two\r\n")});
        platform::SetProgramDirectory(dir.Root());
        frmHelp w;
        w.ShowForm();
        QCOMPARE(Browser(w)->toPlainText(), QStringLiteral("web guide"));
        Pick(w, 1);
        QVERIFY(!Browser(w)->isVisible());
        QCOMPARE(TextBox(w)->toPlainText(), QStringLiteral("line one\nline two\n"));
        Pick(w, 2);
        QCOMPARE(TextBox(w)->toPlainText(), InternalHelpText());
        Pick(w, 0);
        QVERIFY(Browser(w)->isVisible());
        QVERIFY(!TextBox(w)->isVisible());
    }

    static QStringList Sections() {
        return {QStringLiteral("0. Contents"), QStringLiteral("1. Control Centre"),
                QStringLiteral("2. Setup"),    QStringLiteral("3. Updates"),
                QStringLiteral("4. Backup"),   QStringLiteral("5. Read Only Mode"),
                QStringLiteral("6. Restore"),  QStringLiteral("7. Range"),
                QStringLiteral("8. Switches"), QStringLiteral("9. Alert"),
                QStringLiteral("10. Contact")};
    }

    void builtInGuideHasItsOutline() {
        const QStringList lines = InternalHelpText().split(QLatin1Char('\n'));
        QVERIFY(lines.size() > 3);
        QVERIFY(!lines[0].trimmed().isEmpty());
        QCOMPARE(lines[1], QString(lines[0].size(), QLatin1Char('-')));
        QVERIFY(lines[2].startsWith(QLatin1String("Last Updated")));
        QStringList found;
        static const QRegularExpression numbered(QStringLiteral("^\\d+\\. \\S"));
        for (int i = 3; i + 1 < lines.size(); ++i)
            if (numbered.match(lines[i]).hasMatch() &&
                lines[i + 1] == QString(lines[i].size(), QLatin1Char('-')))
                found.append(lines[i]);
        QCOMPARE(found, Sections());
    }

    void deliveredWebGuideTellsTheSameStory() {
        const QString bin = qEnvironmentVariable("PELLMOOR_BIN_DIR");
        if (bin.isEmpty())
            QSKIP("run through ctest, which names the program directory");
        QFile file(bin + QStringLiteral("/!Help.Htm"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QTextBrowser page;
        page.setHtml(QString::fromUtf8(file.readAll()));
        // The headings as a reader sees them, in order.
        QStringList found;
        for (QTextBlock block = page.document()->begin(); block.isValid(); block = block.next())
            if (block.blockFormat().headingLevel() == 2)
                found.append(block.text());
        QCOMPARE(found, Sections());
        QVERIFY(page.toPlainText().contains(QLatin1String("Last Updated")));
    }

    void textSizesRunFromEightToTwentyFour_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("points");
        QTest::newRow("smallest") << 0 << 8;
        QTest::newRow("fourth") << 3 << 14;
        QTest::newRow("largest") << 8 << 24;
    }
    void textSizesRunFromEightToTwentyFour() {
        QFETCH(int, index);
        QFETCH(int, points);
        frmHelp w;
        auto *size = w.findChild<QComboBox *>(QStringLiteral("cmbSize"));
        QCOMPARE(size->count(), 9);
        QCOMPARE(size->currentText(), QStringLiteral("14"));
        QCOMPARE(TextBox(w)->font().pointSize(), 14);
        size->setCurrentIndex(index);
        QCOMPARE(size->currentText(), QString::number(points));
        QCOMPARE(TextBox(w)->font().pointSize(), points);
        QVERIFY(TextBox(w)->font().fixedPitch());
    }

    void windowNeverShrinksBelowItsLoadSize_data() {
        QTest::addColumn<QSize>("asked");
        QTest::newRow("tiny") << QSize(50, 50);
        QTest::newRow("too low") << QSize(900, 200);
    }
    void windowNeverShrinksBelowItsLoadSize() {
        QFETCH(QSize, asked);
        frmHelp w;
        w.ShowForm();
        const QSize load = w.size();
        QCOMPARE(load, QSize(467, 584));
        w.resize(asked);
        QCOMPARE(w.size(), asked.expandedTo(load));
    }

    void stickyKeepsTheWindowOnTop() {
        frmHelp w;
        w.ShowForm();
        auto *sticky = w.findChild<QCheckBox *>(QStringLiteral("chkSticky"));
        QCOMPARE(sticky->text(), QStringLiteral("Sticky"));
        QVERIFY(!(w.windowFlags() & Qt::WindowStaysOnTopHint));
        QTest::mouseClick(sticky, Qt::LeftButton);
        QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(w.isVisible());
        QTest::mouseClick(sticky, Qt::LeftButton);
        QVERIFY(!(w.windowFlags() & Qt::WindowStaysOnTopHint));
        QVERIFY(w.isVisible());
    }

    void doubleClickOnTheWindowOpensDiagnostics() {
        frmHelp w;
        w.ShowForm();
        int opened = 0;
        QTest::mouseDClick(&w, Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(opened, 0);
        w.SetOpenDiagnostics([&opened] { ++opened; });
        QTest::mouseDClick(&w, Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(opened, 1);
        // A double-click in the guide selects a word there; it is no call for diagnostics.
        QTest::mouseDClick(TextBox(w)->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(opened, 1);
    }

    void controlsFitInsideTheWindowApart_data() {
        QTest::addColumn<bool>("delivered");
        QTest::newRow("built-in guide") << false;
        QTest::newRow("delivered files") << true;
    }
    void controlsFitInsideTheWindowApart() {
        QFETCH(bool, delivered);
        TempTree dir;
        const QString bin = qEnvironmentVariable("PELLMOOR_BIN_DIR");
        if (delivered && bin.isEmpty())
            QSKIP("run through ctest, which names the program directory");
        platform::SetProgramDirectory(delivered ? bin + QLatin1Char('/') : dir.Root());
        frmHelp w;
        w.ShowForm();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QList<QWidget *> controls = {TextBox(w), Option(w, 0), Option(w, 1), Option(w, 2)};
        for (const char *name : {"chkSticky", "lblSize", "cmbSize", "cmdClose"})
            controls.append(w.findChild<QWidget *>(QString::fromLatin1(name)));
        for (int i = 0; i < controls.size(); ++i) {
            QVERIFY(w.rect().contains(controls[i]->geometry()));
            for (int j = i + 1; j < controls.size(); ++j)
                QVERIFY(!controls[i]->geometry().intersects(controls[j]->geometry()));
        }
        for (int i = 0; i < 3; ++i)
            QVERIFY(Option(w, i)->width() >= Option(w, i)->sizeHint().width());
        // The build puts both help files beside the program; the first of them is chosen.
        QCOMPARE(Chosen(w), delivered ? 0 : 2);
        SaveShot(w, QStringLiteral("frmHelp-%1").arg(QTest::currentDataTag()));
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
