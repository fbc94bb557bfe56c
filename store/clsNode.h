#pragma once
// A tree of directories, one node per path component, children sorted by their comparable
// names. The backup run keeps the directories it has seen in one; the restore fills its tree
// view from one.

#include "clsDirectory.h"

#include <QString>
#include <QStringView>

#include <memory>
#include <vector>

class TreeSink;

class clsNode {
public:
    clsNode() = default;
    clsNode(const clsNode &) = delete;
    clsNode &operator=(const clsNode &) = delete;
    ~clsNode();

    // The node's directory; its name is the full path up to this node, ending in the separator.
    clsDirectory &NodeVal() { return nodeVal; }
    const clsDirectory &NodeVal() const { return nodeVal; }
    clsNode *Parent() const { return parent; }
    int Index() const { return index; }

    // An empty root: no value name, no parent, no children.
    void InitRoot();
    void InitNode(const clsDirectory &value, clsNode *parentNode, int indexInParent);
    // Shows "The node has not been initialised!" when InitNode has not been called.
    bool Initialised() const;

    int GetNumNodes() const { return int(children.size()) - 1; }
    clsNode *GetNode(int i) const;

    clsNode *FindFullNode(const clsDirectory &dir);
    clsNode *AddFullNode(const clsDirectory &dir);

    QString doPrintNice(int level) const;
    QString PrintNice() const { return doPrintNice(0); }
    QString toString() const;

    void PopTreeView(TreeSink &sink) const { doPopTreeView(sink); }

private:
    clsNode *FindChild(const QString &compDirName) const;
    clsNode *AddChild(const clsDirectory &dir);
    void doPopTreeView(TreeSink &sink) const;

    clsDirectory nodeVal;
    clsNode *parent = nullptr;
    int index = -1;
    std::vector<std::unique_ptr<clsNode>> children; // sorted by GetCompDirName
    bool initialised = false;
};
