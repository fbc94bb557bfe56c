// A list box for lists far longer than one list box handles well: every item lives in the
// control's own array and at most one page of PageSize rows is in the inner list at a time; a tab
// strip above the list picks the page. Additions are cheap: the tabs and the page are rebuilt
// 10 ms after the last one, so a long run of additions costs one rebuild.
//
// One source, two libraries: ROSTER_CLASS names the class (CheckRoster, PlainRoster) and
// ROSTER_CHECKS says whether each item carries a check box. Users include CheckRoster.h or
// PlainRoster.h. The guard is one per variant, since both variants may meet in one file.

#if (ROSTER_CHECKS && !defined(ROSTER_CHECK_DECLARED)) ||                                          \
    (!ROSTER_CHECKS && !defined(ROSTER_PLAIN_DECLARED))
#if ROSTER_CHECKS
#define ROSTER_CHECK_DECLARED
#else
#define ROSTER_PLAIN_DECLARED
#endif

#include <QString>
#include <QWidget>

#include <vector>

#if defined(ROSTER_BUILDING)
#define ROSTER_EXPORT Q_DECL_EXPORT
#else
#define ROSTER_EXPORT Q_DECL_IMPORT
#endif

class QListView;
class QTabBar;
class QTimer;

class ROSTER_EXPORT ROSTER_CLASS : public QWidget {
    Q_OBJECT
public:
    static constexpr int PageSize = 10000;

    explicit ROSTER_CLASS(QWidget *parent = nullptr);
    ~ROSTER_CLASS() override;

    // Appends an item (no check mark, not shown yet) and schedules DoTabs.
    void AddItem(const QString &New_Item);
    // Rebuilds the page tabs from the item count, shows the first tab, then StartPop.
    void DoTabs();
    // Forgets every item and leaves the control empty at once.
    void Clear();
    // Schedules Pop.
    void StartPop();
    // Fills the inner list with the page of the selected tab.
    void Pop();

    // An item's text. Setting it also changes the shown row when the item is on the page.
    QString List(int List_Index) const;
    void SetList(int List_Index, const QString &text);
#if ROSTER_CHECKS
    // An item's check mark. Setting it also ticks the shown row when the item is on the page.
    bool Selected(int Selected_Index) const;
    void SetSelected(int Selected_Index, bool value);
#endif
    int ListCount() const;
    // The selected item, -1 for none. Setting an item of another page shows that page first.
    int ListIndex() const;
    void SetListIndex(int index);
    // The item in the top row, -1 when the list has no rows. Setting an item of another page
    // shows that page first, then scrolls the item to the top.
    int TopIndex() const;
    void SetTopIndex(int index);

Q_SIGNALS:
    // The selection changed (by the user or through ListIndex), or a row was clicked.
    void Click();
    void DblClick();
    void Scroll();
#if ROSTER_CHECKS
    // The user ticked or unticked the item with this index.
    void ItemCheck(int Item);
#endif

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Item {
        QString Cap;
#if ROSTER_CHECKS
        bool Selected = false;
#endif
        // Row of the inner list showing the item, -1 when it is not on the page.
        qint16 LIndex = -1;
    };
    class Page;

    void BuildLayout();
    void ConnectEvents();
    bool InRange(int index, const char *member) const;
    void ShowPageOf(int index);
#if ROSTER_CHECKS
    void RowTicked(int row, bool ticked);
#endif

    // Items are kept in a vector that grows geometrically. A fixed step of 100 entries would copy
    // the whole array every 100 additions, and nothing outside the control can see a capacity.
    std::vector<Item> items;
    Page *page;
    QTabBar *Tabs;
    QListView *lstDisplay;
    QTimer *tmrDoTabs;
    QTimer *tmrPop;
    // The selection when the mouse went down, so that a click which changes nothing still
    // raises Click.
    int pressListIndex = -1;
};

#endif
