// The two list controls through their real tab strip, inner list and timers. Shared cases run
// over both; item i is added with the text "i", so a row shows which item it holds.

#include "CheckRoster.h"
#include "PlainRoster.h"
#include "windowlook.h"

#include <QListView>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStyleOptionViewItem>
#include <QTabBar>
#include <QTest>
#include <QTimer>

namespace {

QTabBar *Tabs(QWidget &r) {
    return r.findChild<QTabBar *>(QStringLiteral("Tabs"));
}
QListView *View(QWidget &r) {
    return r.findChild<QListView *>(QStringLiteral("lstDisplay"));
}
QTimer *Timer(QWidget &r, const char *name) {
    return r.findChild<QTimer *>(QLatin1String(name));
}
QStringList Captions(QWidget &r) {
    QStringList captions;
    for (int i = 0; i < Tabs(r)->count(); ++i)
        captions.append(Tabs(r)->tabText(i));
    return captions;
}
int Rows(QWidget &r) {
    return View(r)->model()->rowCount();
}
QVariant Row(QWidget &r, int row, int role = Qt::DisplayRole) {
    return View(r)->model()->index(row, 0).data(role);
}
QPoint RowCentre(QWidget &r, int row) {
    return View(r)->visualRect(View(r)->model()->index(row, 0)).center();
}
QPoint CheckBoxOf(QWidget &r, int row) {
    QStyleOptionViewItem option;
    option.initFrom(View(r));
    option.rect = View(r)->visualRect(View(r)->model()->index(row, 0));
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    return View(r)
        ->style()
        ->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, View(r))
        .center();
}

// Lets the deferred tab rebuild and page fill happen.
bool Settled(QWidget &r) {
    return QTest::qWaitFor(
        [&r] { return !Timer(r, "tmrDoTabs")->isActive() && !Timer(r, "tmrPop")->isActive(); });
}
template <class R> void Fill(R &r, int count) {
    for (int i = 0; i < count; ++i)
        r.AddItem(QString::number(i));
}
void Show(QWidget &r) {
    r.resize(320, 240);
    r.show();
    QVERIFY(QTest::qWaitForWindowExposed(&r));
}
void ClickTab(QWidget &r, int tab) {
    QTest::mouseClick(Tabs(r), Qt::LeftButton, {}, Tabs(r)->tabRect(tab).center());
    QVERIFY(Settled(r));
}
// Saved for a look by eye when PELLMOOR_SCREENSHOTS names a folder.
void Shot(QWidget &r, const QString &state) {
    SaveShot(r, QStringLiteral("%1-%2").arg(r.metaObject()->className(), state));
}
template <class R> void VerifyEmpty(R &r) {
    QCOMPARE(r.ListCount(), 0);
    QCOMPARE(Captions(r), QStringList{QStringLiteral("0 - 0")});
    QCOMPARE(Rows(r), 0);
    QCOMPARE(r.ListIndex(), -1);
    QCOMPARE(r.TopIndex(), -1);
}

} // namespace

class TestRoster : public QObject {
    Q_OBJECT

    void Variants() {
        QTest::addColumn<bool>("checks");
        QTest::newRow("CheckRoster") << true;
        QTest::newRow("PlainRoster") << false;
    }
    template <class Body> void Each(Body body) {
        QFETCH(bool, checks);
        if (checks) {
            CheckRoster r;
            body(r);
        } else {
            PlainRoster r;
            body(r);
        }
    }

private Q_SLOTS:
    void additionsRebuildTabsAndPageOnce_data() {
        QTest::addColumn<bool>("checks");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("captions");
        QStringList tenPages;
        for (int first = 1; first < 100000; first += 10000)
            tenPages.append(QStringLiteral("%1 - %2").arg(first).arg(first + 9999));
        for (bool checks : {true, false}) {
            const char *name = checks ? "CheckRoster" : "PlainRoster";
            QTest::addRow("%s 1", name) << checks << 1 << QStringList{"1 - 1"};
            QTest::addRow("%s 10000", name) << checks << 10000 << QStringList{"1 - 10000"};
            QTest::addRow("%s 10001", name)
                << checks << 10001 << QStringList{"1 - 10000", "10001 - 10001"};
            QTest::addRow("%s 100000", name) << checks << 100000 << tenPages;
        }
    }
    void additionsRebuildTabsAndPageOnce() {
        QFETCH(int, count);
        QFETCH(QStringList, captions);
        Each([&](auto &r) {
            QSignalSpy rebuilds(Timer(r, "tmrDoTabs"), &QTimer::timeout);
            QSignalSpy fills(View(r)->model(), &QAbstractItemModel::modelReset);
            Fill(r, count);
            QCOMPARE(Captions(r), QStringList{QStringLiteral("0 - 0")});
            QCOMPARE(Rows(r), 0);
            QVERIFY(Settled(r));
            QCOMPARE(rebuilds.count(), 1);
            QCOMPARE(fills.count(), 1);
            QCOMPARE(Captions(r), captions);
            QCOMPARE(r.ListCount(), count);
            QCOMPARE(Rows(r), std::min(count, 10000));
            QCOMPARE(Row(r, Rows(r) - 1).toString(), QString::number(Rows(r) - 1));
            QCOMPARE(Row(r, 0, Qt::CheckStateRole).isValid(),
                     r.metaObject()->indexOfSignal("ItemCheck(int)") >= 0);
        });
    }

    void emptyAtFirstAndAfterClear_data() { Variants(); }
    void emptyAtFirstAndAfterClear() {
        Each([](auto &r) {
            Show(r);
            Shot(r, QStringLiteral("empty"));
            VerifyEmpty(r);
            Fill(r, 25000);
            r.SetListIndex(24999);
            r.Clear();
            VerifyEmpty(r);
            QTest::ignoreMessage(
                QtWarningMsg,
                QRegularExpression("::List: there is no item 0; the list holds 0 items"));
            r.SetList(0, QStringLiteral("lost"));
            r.AddItem(QStringLiteral("again"));
            QVERIFY(Settled(r));
            QCOMPARE(Row(r, 0).toString(), QStringLiteral("again"));
        });
    }

    // A rebuild still pending from the additions must not take the page away again.
    void listAndTopIndexShowThePageOfTheirItem_data() { Variants(); }
    void listAndTopIndexShowThePageOfTheirItem() {
        Each([](auto &r) {
            Show(r);
            Fill(r, 25000);
            QSignalSpy clicks(&r, SIGNAL(Click()));
            r.SetListIndex(24999);
            QVERIFY(Settled(r));
            QCOMPARE(Tabs(r)->currentIndex(), 2);
            QCOMPARE(Rows(r), 5000);
            QCOMPARE(View(r)->currentIndex().row(), 4999);
            QCOMPARE(r.ListIndex(), 24999);
            r.SetListIndex(7);
            QCOMPARE(Tabs(r)->currentIndex(), 0);
            QCOMPARE(r.ListIndex(), 7);
            r.SetListIndex(-1);
            QCOMPARE(r.ListIndex(), -1);
            QCOMPARE(clicks.count(), 3);
            QCOMPARE(r.TopIndex(), 0);
            r.SetTopIndex(50);
            QCOMPARE(r.TopIndex(), 50);
            r.SetTopIndex(20010);
            QCOMPARE(Tabs(r)->currentIndex(), 2);
            QCOMPARE(r.TopIndex(), 20010);
        });
    }

    void listTextReachesOnlyTheShownPage_data() { Variants(); }
    void listTextReachesOnlyTheShownPage() {
        Each([](auto &r) {
            Show(r);
            Fill(r, 25000);
            QVERIFY(Settled(r));
            QSignalSpy repaints(View(r)->model(), &QAbstractItemModel::dataChanged);
            r.SetList(15000, QStringLiteral("elsewhere"));
            QCOMPARE(repaints.count(), 0);
            QCOMPARE(r.List(15000), QStringLiteral("elsewhere"));
            r.SetList(3, QStringLiteral("here"));
            QCOMPARE(repaints.count(), 1);
            QCOMPARE(Row(r, 3).toString(), QStringLiteral("here"));
            ClickTab(r, 1);
            QCOMPARE(Row(r, 0).toString(), QStringLiteral("10000"));
            QCOMPARE(Row(r, 5000).toString(), QStringLiteral("elsewhere"));
        });
    }

    // Click follows a list box: a changed selection, and also a click on the selected row.
    void rowClicksRaiseClickAndDblClick_data() { Variants(); }
    void rowClicksRaiseClickAndDblClick() {
        Each([](auto &r) {
            Show(r);
            Fill(r, 10);
            QVERIFY(Settled(r));
            QSignalSpy clicks(&r, SIGNAL(Click()));
            QSignalSpy doubles(&r, SIGNAL(DblClick()));
            QTest::mouseClick(View(r)->viewport(), Qt::LeftButton, {}, RowCentre(r, 2));
            QCOMPARE(r.ListIndex(), 2);
            QTest::mouseClick(View(r)->viewport(), Qt::LeftButton, {}, RowCentre(r, 2));
            QCOMPARE(clicks.count(), 2);
            QTest::mouseDClick(View(r)->viewport(), Qt::LeftButton, {}, RowCentre(r, 2));
            QCOMPARE(doubles.count(), 1);
        });
    }

    void tabsSitOverTheListAtFullWidth_data() {
        QTest::addColumn<bool>("checks");
        QTest::addColumn<qreal>("scale");
        for (bool checks : {true, false})
            for (qreal scale : {1.0, 1.5})
                QTest::addRow("%s x%.1f", checks ? "CheckRoster" : "PlainRoster", scale)
                    << checks << scale;
    }
    void tabsSitOverTheListAtFullWidth() {
        QFETCH(qreal, scale);
        Each([&](auto &r) {
            QFont font = r.font();
            font.setPointSizeF(font.pointSizeF() * scale);
            r.setFont(font);
            Show(r);
            Fill(r, 25000);
            if constexpr (requires { r.SetSelected(0, true); }) {
                r.SetSelected(1, true);
                r.SetSelected(20001, true);
            }
            QVERIFY(Settled(r));
            const QRect tabs = Tabs(r)->geometry();
            QCOMPARE(tabs.topLeft(), QPoint(0, 0));
            QCOMPARE(tabs.width(), r.width());
            QCOMPARE(View(r)->geometry(),
                     QRect(0, tabs.bottom() + 1, r.width(), r.height() - tabs.height()));
            for (int i = 0; i < Tabs(r)->count(); ++i)
                QVERIFY(Tabs(r)->tabRect(i).width() >
                        Tabs(r)->fontMetrics().horizontalAdvance(Tabs(r)->tabText(i)));
            const QString size = scale > 1 ? QStringLiteral("-large") : QString();
            Shot(r, QStringLiteral("page1") + size);
            r.SetListIndex(20001);
            Shot(r, QStringLiteral("page3") + size);
        });
    }

    void ticksAreKeptPerItem_data() {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("mouse on the box") << false;
        QTest::newRow("space key") << true;
    }
    // A tick by the host shows on its page but is not reported back as the user's.
    void ticksAreKeptPerItem() {
        QFETCH(bool, byKey);
        CheckRoster r;
        Show(r);
        Fill(r, 25000);
        QSignalSpy checks(&r, &CheckRoster::ItemCheck);
        r.SetSelected(10006, true);
        r.SetListIndex(10005);
        QCOMPARE(Row(r, 6, Qt::CheckStateRole).toInt(), Qt::Checked);
        for (bool ticked : {true, false}) {
            if (byKey)
                QTest::keyClick(View(r), Qt::Key_Space);
            else
                QTest::mouseClick(View(r)->viewport(), Qt::LeftButton, {}, CheckBoxOf(r, 5));
            QCOMPARE(checks.takeFirst(), QVariantList{10005});
            QCOMPARE(r.Selected(10005), ticked);
            QVERIFY(!r.Selected(5));
            ClickTab(r, 0);
            ClickTab(r, 1);
            QCOMPARE(Row(r, 5, Qt::CheckStateRole).toInt(), ticked ? Qt::Checked : Qt::Unchecked);
            r.SetListIndex(10005);
        }
        QVERIFY(checks.isEmpty());
    }
};

QTEST_MAIN(TestRoster)
#include "tst_roster.moc"
