#pragma once
// Where PopTreeView puts the nodes of a directory tree: a tree-view widget adapts to it, so the
// tree itself never touches a widget.

#include <QString>

class TreeSink {
public:
    virtual ~TreeSink() = default;
    // parentKey is empty for a top-level item.
    virtual void AddItem(const QString &parentKey, const QString &key, const QString &text) = 0;
};
