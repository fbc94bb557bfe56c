// The range window over a real multi-selection list: the From and To boxes, the range they make,
// Select, Deselect and Invert on it, and Done.

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
    QList<int> Selected() const {
        QList<int> rows;
        for (int row = 0; row < list->count(); ++row) {
            if (list->item(row)->isSelected())
                rows.append(row);
        }
        return rows;
    }
    void Select(const QList<int> &rows) {
        list->clearSelection();
        for (int row : rows)
            list->item(row)->setSelected(true);
    }

private Q_SLOTS:
    void init() {
        selectors = std::make_unique<WindowSelectors>();
        SetSelectorHandler(selectors.get());
        list = std::make_unique<QListWidget>();
        list->setSelectionMode(QAbstractItemView::MultiSelection);
        for (int row = 0; row < 8; ++row)
            list->addItem(QStringLiteral("/data/file%1.txt").arg(row));
    }
    void cleanup() {
        SetSelectorHandler(nullptr);
        selectors.reset();
        list.reset();
    }

    void rangeChangesItsRowsOnly_data() {
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
        for (const auto &row : rows)
            QTest::newRow(row.tag) << row.from << row.to << row.button << row.selected;
    }
    void rangeChangesItsRowsOnly() {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, button);
        QFETCH(QList<int>, selected);
        Select({0, 3, 6});
        ListWidgetRows rows(list.get());
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
            QCOMPARE(cmbTo->itemText(0), list->item(from)->text());
            QCOMPARE(cmbTo->itemText(cmbTo->count() - 1), list->item(7)->text());
            Choose(cmbTo, to);
            QTest::mouseClick(Button(button.toLatin1().constData()), Qt::LeftButton);
            QCOMPARE(Selected(), selected);
            QVERIFY(Window().isVisible());
            QTest::mouseClick(Button("cmdDone"), Qt::LeftButton);
            QVERIFY(!Window().isVisible());
        });
        ShowRange(rows);
        QVERIFY(ran);
        QCOMPARE(Selected(), selected);
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
