#include "TreeWidgetSink.h"

#include <QTreeWidget>

void TreeWidgetSink::AddItem(const QString &parentKey, const QString &key, const QString &text) {
    QTreeWidgetItem *parent = parentKey.isEmpty() ? nullptr : items.value(parentKey);
    auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
    item->setText(0, text);
    item->setToolTip(0, key);
    item->setFlags((item->flags() | Qt::ItemIsUserCheckable) & ~Qt::ItemIsAutoTristate);
    item->setCheckState(0, Qt::Checked);
    items.insert(key, item);
}
