#include "listrefill.h"

#include <QListWidget>
#include <QScrollBar>

#include <algorithm>

namespace {

int TopIndex(const QListWidget *list) {
    // Scrolling is per item, so the scroll bar's value is the top row.
    return list->verticalScrollBar()->value();
}

} // namespace

void SetListTopIndex(QListWidget *list, int top, int selected) {
    const int count = list->count();
    if (count == 0)
        return;
    list->setCurrentRow(std::clamp(selected, 0, count - 1));
    list->verticalScrollBar()->setValue(std::clamp(top, 0, count - 1));
}

void RefillList(QListWidget *list, const QStringList &rows) {
    const int top = TopIndex(list);
    const int selected = list->currentRow();
    list->clear();
    list->addItems(rows);
    SetListTopIndex(list, top, selected);
}
