// The range window over a real multi-selection list: the From and To boxes, the range they make,
// Select, Deselect and Invert on it, and Done.

#include "CheckRoster.h"
#include "CheckRosterRows.h"
#include "ListWidgetRows.h"
#include "WindowSelectors.h"
#include "frmRange.h"
#include "modalsteps.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <memory>

class TestRange : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowSelectors> selectors;
    std::unique_ptr<QListWidget> list;
    std::unique_ptr<CheckRoster> roster;

    frmRange &Window() const { return selectors->RangeWindow(); }
    QComboBox *Box(const char *name) const {
        return Window().findChild<QComboBox *>(QString::fromLatin1(name));
    }
    QPushButton *Button(const char *name) const {
        return Window().findChild<QPushButton *>(QString::fromLatin1(name));
    }
    // Chooses a row of a box with the keys, as a user does.
    static void Choose(QComboBox *box, int row) {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Home);
        for (int i = 0; i < row; ++i)
            QTest::keyClick(box, Qt::Key_Down);
    }
    // The rows of the list, or of the roster with the same texts.
    std::unique_ptr<RangeRows> RowsOf(const QString &control) const {
        if (control == QLatin1String("roster"))
            return std::make_unique<CheckRosterRows>(roster.get());
        return std::make_unique<ListWidgetRows>(list.get());
    }
    static QList<int> Marked(const RangeRows &rows) {
        QList<int> marked;
        for (int row = 0; row < rows.RowCount(); ++row) {
            if (rows.RowMarked(row))
                marked.append(row);
        }
        return marked;
    }
    static void Mark(RangeRows &rows, const QList<int> &marked) {
        for (int row = 0; row < rows.RowCount(); ++row)
            rows.SetRowMarked(row, marked.contains(row));
    }
    QList<int> Selected() const { return Marked(*RowsOf(QStringLiteral("list"))); }
    void Select(const QList<int> &marked) { Mark(*RowsOf(QStringLiteral("list")), marked); }

private Q_SLOTS:
    void init() {
        selectors = std::make_unique<WindowSelectors>();
        SetSelectorHandler(selectors.get());
        list = std::make_unique<QListWidget>();
        list->setSelectionMode(QAbstractItemView::MultiSelection);
        roster = std::make_unique<CheckRoster>();
        for (int row = 0; row < 8; ++row) {
            list->addItem(QStringLiteral("/data/file%1.txt").arg(row));
            roster->AddItem(list->item(row)->text());
        }
    }
    void cleanup() {
        SetSelectorHandler(nullptr);
        selectors.reset();
        list.reset();
        roster.reset();
    }

    void rangeChangesItsRowsOnly_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QList<int>>("selected");
        // Rows 0, 3 and 6 are selected before.
        const struct {
            const char *tag;
            int from, to;
            const char *button;
            QList<int> selected;
        } rows[] = {{"select rows 3 and 4", 3, 1, "cmdSelAll", {0, 3, 4, 6}},
                    {"deselect rows 3 and 4", 3, 1, "cmdDeSelAll", {0, 6}},
                    {"invert rows 3 and 4", 3, 1, "cmdInvSel", {0, 4, 6}},
                    {"invert the first row alone", 0, 0, "cmdInvSel", {3, 6}},
                    {"invert up to the last row", 5, 2, "cmdInvSel", {0, 3, 5, 7}},
                    {"select everything", 0, 7, "cmdSelAll", {0, 1, 2, 3, 4, 5, 6, 7}}};
        for (const char *control : {"list", "roster"}) {
            for (const auto &row : rows)
                QTest::addRow("%s: %s", control, row.tag)
                    << QString::fromLatin1(control) << row.from << row.to << row.button
                    << row.selected;
        }
    }
    void rangeChangesItsRowsOnly() {
        QFETCH(QString, control);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, button);
        QFETCH(QList<int>, selected);
        const std::unique_ptr<RangeRows> rows = RowsOf(control);
        Mark(*rows, {0, 3, 6});
        bool ran = false;
        WhenShown(Window(), [&] {
            ran = true;
            QComboBox *cmbFrom = Box("cmbFrom");
            QComboBox *cmbTo = Box("cmbTo");
            QCOMPARE(cmbFrom->count(), 8);
            QCOMPARE(cmbFrom->currentIndex(), -1);
            QVERIFY(!Button("cmdSelAll")->isEnabled());
            Choose(cmbFrom, from);
            QCOMPARE(cmbFrom->currentIndex(), from);
            // The To box is filled by its timer, with the rows from the chosen one to the last.
            QTRY_COMPARE(cmbTo->count(), 8 - from);
            QCOMPARE(cmbTo->itemText(0), rows->RowText(from));
            QCOMPARE(cmbTo->itemText(cmbTo->count() - 1), rows->RowText(7));
            Choose(cmbTo, to);
            QTest::mouseClick(Button(button.toLatin1().constData()), Qt::LeftButton);
            QCOMPARE(Marked(*rows), selected);
            QVERIFY(Window().isVisible());
            QTest::mouseClick(Button("cmdDone"), Qt::LeftButton);
            QVERIFY(!Window().isVisible());
        });
        ShowRange(*rows);
        QVERIFY(ran);
        QCOMPARE(Marked(*rows), selected);
    }

    void choosingAnotherStartEmptiesTheToBoxAtOnce() {
        ListWidgetRows rows(list.get());
        WhenShown(Window(), [&] {
            Choose(Box("cmbFrom"), 2);
            QTRY_COMPARE(Box("cmbTo")->count(), 6);
            Choose(Box("cmbFrom"), 6);
            // Until the new rows come, no range is left over from the old start.
            QCOMPARE(Box("cmbTo")->count(), 0);
            QVERIFY(!Button("cmdInvSel")->isEnabled());
            QTRY_COMPARE(Box("cmbTo")->count(), 2);
            QVERIFY(Button("cmdInvSel")->isEnabled());
        });
        ShowRange(rows);
        QVERIFY(Selected().isEmpty());
    }

    void closeBoxEndsTheWindowAndTheRowsStayAsTheyWere() {
        Select({1, 2});
        ListWidgetRows rows(list.get());
        WhenShown(Window(), [&] {
            Window().close();
            QVERIFY(!Window().isVisible());
        });
        ShowRange(rows);
        QCOMPARE(Selected(), (QList<int>{1, 2}));
        // Shown again over a shorter list, it offers that list's rows only.
        list->takeItem(7);
        WhenShown(Window(), [&] { QCOMPARE(Box("cmbFrom")->count(), 7); });
        ShowRange(rows);
    }
};

QTEST_MAIN(TestRange)
#include "tst_range.moc"
