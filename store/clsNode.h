#pragma once
// A tree of directories, one node per path component, children sorted by their comparable
// names. The backup run keeps the directories it has seen in one; the restore fills its tree
// view from one.

#include "clsDirectory.h"

#include <QList>
#include <QString>

#include <memory>

class TreeSink;

class clsNode {
public:
    clsNode() = default;
    clsNode(const clsNode &) = delete;
    clsNode &operator=(const clsNode &) = delete;
    ~clsNode();

    // The node's directory; its name is the full path up to this node, ending in the separator.
    clsDirectory &NodeVal();
    const clsDirectory &NodeVal() const;
    clsNode *Parent() const { return parent; }
    int Index() const { return index; }

    void InitRoot();
    void InitNode(const clsDirectory &value, clsNode *parentNode, int indexInParent);

    int GetNumNodes() const;
    clsNode *GetNode(int i) const;

    clsNode *FindFullNode(const clsDirectory &dir);
    clsNode *AddFullNode(const clsDirectory &dir);

    QString doPrintNice(int level) const;
    QString PrintNice() const { return doPrintNice(0); }
    QString toString() const;

    void PopTreeView(TreeSink &sink) const;

private:
    bool Initialised() const; // shows "The node has not been initialised!" when false
    clsNode *FindChild(const clsDirectory &dir) const;
    clsNode *AddChild(const clsDirectory &dir);
    void doPopTreeView(TreeSink &sink) const;

    std::unique_ptr<clsDirectory> nodeVal;
    clsNode *parent = nullptr;
    int index = -1;
    QList<clsNode *> children; // owned; sorted by GetCompDirName
    bool initialised = false;
};
