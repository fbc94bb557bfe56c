#pragma once
// Puts the nodes of a directory tree into a tree view, each with a ticked check box of its own
// (a node's tick never follows its parent's), and remembers each item by its node's key.

#include "treesink.h"

#include <QHash>

class QTreeWidget;
class QTreeWidgetItem;

class TreeWidgetSink : public TreeSink {
public:
    explicit TreeWidgetSink(QTreeWidget *tree) : tree(tree) {}

    void AddItem(const QString &parentKey, const QString &key, const QString &text) override;
    // The item of each node, by its key (the directory's comparable path).
    const QHash<QString, QTreeWidgetItem *> &Items() const { return items; }

private:
    QTreeWidget *tree;
    QHash<QString, QTreeWidgetItem *> items;
};
