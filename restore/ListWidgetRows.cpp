#include "ListWidgetRows.h"

#include <QListWidget>

int ListWidgetRows::RowCount() const {
    return list->count();
}

QString ListWidgetRows::RowText(int row) const {
    return list->item(row)->text();
}

bool ListWidgetRows::RowMarked(int row) const {
    return list->item(row)->isSelected();
}

void ListWidgetRows::SetRowMarked(int row, bool marked) {
    list->item(row)->setSelected(marked);
}
