#include "clsNode.h"

#include "patterns.h"
#include "platform.h"
#include "prompt.h"
#include "treesink.h"

#include <algorithm>

namespace {

// What a tree view shows for a node: its last component without the separator. The POSIX root
// has nothing before its separator, so it shows as itself.
QString ShownText(const QString &path) {
    const QChar sep = platform::Separator();
    QString text = path;
    if (text.endsWith(sep))
        text.chop(1);
    text = text.mid(text.lastIndexOf(sep) + 1);
    return text.isEmpty() ? path : text;
}

// The path of the child that takes the first component of rest (up to and including its
// separator, or all of it); rest keeps what follows.
QString TakeComponent(const QString &base, QStringView &rest, qsizetype length) {
    QString childName = base;
    childName += rest.left(length);
    rest = rest.mid(length);
    return childName;
}

} // namespace

clsNode::~clsNode() = default;

void clsNode::InitRoot() {
    nodeVal = clsDirectory();
    parent = nullptr;
    index = -1;
    children.clear();
}

void clsNode::InitNode(const clsDirectory &value, clsNode *parentNode, int indexInParent) {
    if (initialised) {
        MsgBox(QStringLiteral("A node can only be initialised once!"));
        return;
    }
    nodeVal = value;
    parent = parentNode;
    index = indexInParent;
    children.clear();
    initialised = true;
}

bool clsNode::Initialised() const {
    if (!initialised)
        MsgBox(QStringLiteral("The node has not been initialised!"));
    return initialised;
}

clsNode *clsNode::GetNode(int i) const {
    if (i > GetNumNodes()) {
        MsgBox(QStringLiteral("The given node index is too high!"));
        return nullptr;
    }
    return i < 0 ? nullptr : children[size_t(i)].get();
}

clsNode *clsNode::FindChild(const QString &compDirName) const {
    // Children are sorted, so a directory with very many subdirectories stays cheap to search.
    const auto pos = std::lower_bound(children.begin(), children.end(), compDirName,
                                      [](const std::unique_ptr<clsNode> &child, const QString &k) {
                                          return child->nodeVal.GetCompDirName() < k;
                                      });
    if (pos == children.end() || (*pos)->nodeVal.GetCompDirName() != compDirName)
        return nullptr;
    return pos->get();
}

clsNode *clsNode::AddChild(const clsDirectory &dir) {
    auto node = std::make_unique<clsNode>();
    node->InitNode(dir, this, int(children.size()));
    // After any equal names, as the shifting insertion of a sorted list does.
    const auto pos = std::upper_bound(children.begin(), children.end(), dir.GetCompDirName(),
                                      [](const QString &k, const std::unique_ptr<clsNode> &child) {
                                          return k < child->nodeVal.GetCompDirName();
                                      });
    return children.insert(pos, std::move(node))->get();
}

clsNode *clsNode::FindFullNode(const clsDirectory &dir) {
    const QString name = dir.NiceDirName();
    QStringView rest = name;
    clsNode *node = this;
    while (node && !rest.isEmpty()) {
        const qsizetype cut = rest.indexOf(platform::Separator());
        const qsizetype length = cut < 0 ? rest.size() : cut + 1;
        const QString childName = TakeComponent(node->nodeVal.NiceDirName(), rest, length);
        node = node->FindChild(platform::ComparablePath(childName));
    }
    return node;
}

clsNode *clsNode::AddFullNode(const clsDirectory &dir) {
    const QString name = dir.NiceDirName();
    QStringView rest = name;
    clsNode *node = this;
    while (true) {
        const qsizetype cut = rest.indexOf(platform::Separator());
        if (cut < 0) {
            MsgBox(QStringLiteral("AddFullNode error!\nAddNodeVal.NiceDirName does not include ") +
                   platform::Separator() + QStringLiteral("!\nAttempting abort!"));
            return nullptr;
        }
        const QString childName = TakeComponent(node->nodeVal.NiceDirName(), rest, cut + 1);

        clsNode *child = node->FindChild(platform::ComparablePath(childName));
        const bool existed = child != nullptr;
        if (!existed) {
            // A node that is only a component of the added path carries none of its patterns
            // or flags: it would otherwise be backed up with another directory's patterns.
            clsDirectory value = rest.isEmpty() ? dir.Clone() : clsDirectory();
            value.SetNiceDirName(childName);
            child = node->AddChild(value);
        }
        if (!rest.isEmpty()) {
            node = child;
            continue;
        }
        clsDirectory &value = child->nodeVal;
        if (existed) {
            value.Patterns = MergePatterns(value.Patterns, dir.Patterns);
            value.IncludeSubdirs = value.IncludeSubdirs || dir.IncludeSubdirs;
        }
        value.Selected = true;
        return child;
    }
}

QString clsNode::doPrintNice(int level) const {
    QString text = QString(level, QLatin1Char('-')) + QLatin1Char('+') + nodeVal.NiceDirName() +
                   QLatin1Char('\n');
    for (const auto &child : children)
        text += child->doPrintNice(level + 1);
    return text;
}

QString clsNode::toString() const {
    const QString own = nodeVal.toString(parent ? parent->nodeVal.NiceDirName() : QString());
    QString text = QLatin1Char('|') + QString::number(own.size()) + QLatin1Char('|') + own;
    // Long trees are gathered in a second buffer so the working text stays short.
    QString done;
    for (const auto &child : children) {
        text += child->toString();
        if (text.size() > 5000) {
            done += text;
            text.clear();
        }
    }
    return done + text;
}

void clsNode::doPopTreeView(TreeSink &sink) const {
    const QString path = nodeVal.NiceDirName();
    if (!path.isEmpty()) {
        const QString parentKey = parent ? parent->nodeVal.GetCompDirName() : QString();
        sink.AddItem(parentKey, nodeVal.GetCompDirName(), ShownText(path));
    }
    for (const auto &child : children)
        child->doPopTreeView(sink);
}
