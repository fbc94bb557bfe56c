#include "roster.h"
#include "rosterpage.h"

#include <QEvent>
#include <QItemSelectionModel>
#include <QListView>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// "1 - 10000", "10001 - 20000", ... "20001 - 25000"; an empty list has the one tab "0 - 0".
QStringList TabCaptions(int count, int pageSize) {
    if (count == 0)
        return {QStringLiteral("0 - 0")};
    QStringList captions;
    for (int first = 0; first < count; first += pageSize)
        captions.append(
            QStringLiteral("%1 - %2").arg(first + 1).arg(std::min(first + pageSize, count)));
    return captions;
}

} // namespace

ROSTER_CLASS::ROSTER_CLASS(QWidget *parent) : QWidget(parent) {
    items.reserve(100);
    page = new Page(*this);
    BuildLayout();
    ConnectEvents();
    DoTabs();
    Pop();
}

ROSTER_CLASS::~ROSTER_CLASS() = default;

void ROSTER_CLASS::BuildLayout() {
    Tabs = new QTabBar(this);
    Tabs->setObjectName(QStringLiteral("Tabs"));
    // Captions are item ranges and must be read whole; many pages scroll instead.
    Tabs->setElideMode(Qt::ElideNone);
    Tabs->setUsesScrollButtons(true);
    Tabs->setExpanding(false);
    Tabs->setDrawBase(false);

    lstDisplay = new QListView(this);
    lstDisplay->setObjectName(QStringLiteral("lstDisplay"));
    // Rows of one height let the view place 10000 rows without measuring each.
    lstDisplay->setUniformItemSizes(true);
    lstDisplay->setSelectionMode(QAbstractItemView::SingleSelection);
    lstDisplay->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstDisplay->setModel(page);
    lstDisplay->viewport()->installEventFilter(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Tabs);
    layout->addWidget(lstDisplay, 1);

    const auto timer = [this](const char *name) {
        auto *t = new QTimer(this);
        t->setObjectName(QString::fromLatin1(name));
        t->setSingleShot(true);
        t->setInterval(10);
        return t;
    };
    tmrDoTabs = timer("tmrDoTabs");
    tmrPop = timer("tmrPop");
}

void ROSTER_CLASS::ConnectEvents() {
    connect(tmrDoTabs, &QTimer::timeout, this, &ROSTER_CLASS::DoTabs);
    connect(tmrPop, &QTimer::timeout, this, &ROSTER_CLASS::Pop);
    connect(Tabs, &QTabBar::currentChanged, this, &ROSTER_CLASS::StartPop);
    connect(lstDisplay->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ROSTER_CLASS::Click);
    connect(lstDisplay, &QListView::clicked, this, [this] {
        if (ListIndex() == pressListIndex)
            emit Click();
    });
    connect(lstDisplay, &QListView::doubleClicked, this, &ROSTER_CLASS::DblClick);
    connect(lstDisplay->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &ROSTER_CLASS::Scroll);
    connect(lstDisplay->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &ROSTER_CLASS::Scroll);
}

bool ROSTER_CLASS::eventFilter(QObject *watched, QEvent *event) {
    if (watched == lstDisplay->viewport() && event->type() == QEvent::MouseButtonPress)
        pressListIndex = ListIndex();
    return QWidget::eventFilter(watched, event);
}

void ROSTER_CLASS::AddItem(const QString &New_Item) {
    items.push_back(Item{New_Item});
    tmrDoTabs->start();
}

void ROSTER_CLASS::DoTabs() {
    // The tabs now match the items, so a rebuild still pending would only lose the page shown.
    tmrDoTabs->stop();
    {
        const QSignalBlocker quiet(Tabs);
        while (Tabs->count() > 0)
            Tabs->removeTab(Tabs->count() - 1);
        for (const QString &caption : TabCaptions(ListCount(), PageSize))
            Tabs->addTab(caption);
        Tabs->setCurrentIndex(0);
    }
    StartPop();
}

void ROSTER_CLASS::Clear() {
    items.clear();
    DoTabs();
    Pop();
}

void ROSTER_CLASS::StartPop() {
    tmrPop->start();
}

void ROSTER_CLASS::Pop() {
    tmrPop->stop();
    // Only the page shown so far has rows to forget.
    const int shownEnd = std::min(page->First() + page->Rows(), ListCount());
    for (int i = page->First(); i < shownEnd; ++i)
        items[i].LIndex = -1;

    const int first = std::max(Tabs->currentIndex(), 0) * PageSize;
    const int rows = std::clamp(ListCount() - first, 0, PageSize);
    for (int row = 0; row < rows; ++row)
        items[first + row].LIndex = qint16(row);

    // Hidden while it is refilled, so that nothing repaints on the way.
    const bool hadFocus = lstDisplay->hasFocus();
    lstDisplay->hide();
    page->Show(first, rows);
    // A new page starts at its top, not where the last one was scrolled to.
    lstDisplay->scrollToTop();
    lstDisplay->show();
    if (hadFocus)
        lstDisplay->setFocus();
}

bool ROSTER_CLASS::InRange(int index, const char *member) const {
    if (index >= 0 && index < ListCount())
        return true;
    qWarning("%s::%s: there is no item %d; the list holds %d items", QT_STRINGIFY(ROSTER_CLASS),
             member, index, ListCount());
    return false;
}

QString ROSTER_CLASS::List(int List_Index) const {
    return InRange(List_Index, "List") ? items[List_Index].Cap : QString();
}

void ROSTER_CLASS::SetList(int List_Index, const QString &text) {
    if (!InRange(List_Index, "List"))
        return;
    Item &item = items[List_Index];
    item.Cap = text;
    if (item.LIndex >= 0)
        page->RowChanged(item.LIndex, Qt::DisplayRole);
}

#if ROSTER_CHECKS
bool ROSTER_CLASS::Selected(int Selected_Index) const {
    return InRange(Selected_Index, "Selected") && items[Selected_Index].Selected;
}

void ROSTER_CLASS::SetSelected(int Selected_Index, bool value) {
    if (!InRange(Selected_Index, "Selected"))
        return;
    Item &item = items[Selected_Index];
    item.Selected = value;
    if (item.LIndex >= 0)
        page->RowChanged(item.LIndex, Qt::CheckStateRole);
}

void ROSTER_CLASS::RowTicked(int row, bool ticked) {
    const int item = page->First() + row;
    items[item].Selected = ticked;
    page->RowChanged(row, Qt::CheckStateRole);
    emit ItemCheck(item);
}
#endif

int ROSTER_CLASS::ListCount() const {
    return int(items.size());
}

int ROSTER_CLASS::ListIndex() const {
    const QModelIndexList selected = lstDisplay->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : page->First() + selected.first().row();
}

// Brings the page holding the item into the inner list, unless it is there already.
void ROSTER_CLASS::ShowPageOf(int index) {
    if (items[index].LIndex >= 0)
        return;
    DoTabs();
    Tabs->setCurrentIndex(index / PageSize);
    Pop();
}

void ROSTER_CLASS::SetListIndex(int index) {
    if (index == -1) {
        lstDisplay->selectionModel()->clear();
        return;
    }
    if (!InRange(index, "ListIndex"))
        return;
    ShowPageOf(index);
    const QModelIndex row = page->index(items[index].LIndex);
    lstDisplay->setCurrentIndex(row);
    lstDisplay->scrollTo(row);
}

int ROSTER_CLASS::TopIndex() const {
    if (page->Rows() == 0)
        return -1;
    // A list never laid out yet shows its first row on top.
    const QModelIndex top = lstDisplay->indexAt(QPoint(0, 0));
    return page->First() + (top.isValid() ? top.row() : 0);
}

void ROSTER_CLASS::SetTopIndex(int index) {
    if (!InRange(index, "TopIndex"))
        return;
    ShowPageOf(index);
    lstDisplay->scrollTo(page->index(items[index].LIndex), QAbstractItemView::PositionAtTop);
}
