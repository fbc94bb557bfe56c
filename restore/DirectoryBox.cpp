#include "DirectoryBox.h"

#include "platform.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>

#include <algorithm>

namespace {

constexpr int PathRole = Qt::UserRole;

// The subdirectories of dir, links to directories among them, sorted as a person reads them.
bool ListSubdirectories(const QString &dir, QStringList *names) {
    bool readable = false;
    const QList<platform::DirEntry> entries = platform::ReadDirectory(dir, &readable);
    for (const platform::DirEntry &entry : entries) {
        if (entry.kind == platform::EntryKind::Directory ||
            (entry.kind == platform::EntryKind::Link && QFileInfo(dir + entry.name).isDir()))
            names->append(entry.name);
    }
    std::stable_sort(names->begin(), names->end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return readable;
}

// "/", "/home/", "/home/user/" for "/home/user/": the open directory and those above it.
QStringList Ancestry(const QString &dir) {
    QStringList chain;
    const QString root = platform::RootOf(dir);
    chain.append(root);
    const QChar separator = platform::Separator();
    for (qsizetype at = dir.indexOf(separator, root.size()); at >= 0;
         at = dir.indexOf(separator, at + 1))
        chain.append(dir.left(at + 1));
    return chain;
}

QString LastName(const QString &dir) {
    if (platform::IsRoot(dir))
        return dir;
    const QString trimmed = dir.chopped(1);
    return trimmed.mid(trimmed.lastIndexOf(platform::Separator()) + 1);
}

} // namespace

DirectoryBox::DirectoryBox(QWidget *parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setUniformRowHeights(true);
    setIndentation(12);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    connect(this, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { RequestItem(item); });
}

bool DirectoryBox::SetPath(const QString &dir) {
    QStringList subdirectories;
    if (dir.isEmpty() || !ListSubdirectories(dir, &subdirectories))
        return false;
    path = dir;
    Fill(subdirectories);
    Q_EMIT PathChanged(path);
    return true;
}

void DirectoryBox::Fill(const QStringList &subdirectories) {
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirIcon);
    QTreeWidgetItem *parent = nullptr;
    for (const QString &dir : Ancestry(path)) {
        auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
        item->setText(0, LastName(dir));
        item->setIcon(0, open);
        item->setData(0, PathRole, dir);
        parent = item;
    }
    for (const QString &name : subdirectories) {
        auto *item = new QTreeWidgetItem(parent);
        item->setText(0, name);
        item->setIcon(0, closed);
        item->setData(0, PathRole, path + name + platform::Separator());
    }
    expandAll();
    setCurrentItem(parent);
    ShowOpenDirectory();
}

void DirectoryBox::ShowOpenDirectory() {
    // The open directory at the top, so that its subdirectories show below it; the ones above
    // it are a scroll or a Backspace away when they do not all fit.
    if (currentItem())
        scrollToItem(currentItem(), QAbstractItemView::PositionAtTop);
}

void DirectoryBox::showEvent(QShowEvent *event) {
    QTreeWidget::showEvent(event);
    // Filled while hidden, the box had no height to scroll by.
    ShowOpenDirectory();
}

void DirectoryBox::RequestItem(const QTreeWidgetItem *item) {
    if (item)
        Q_EMIT OpenRequested(item->data(0, PathRole).toString());
}

void DirectoryBox::keyPressEvent(QKeyEvent *event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Taken here: passed on, it would also press the window's OK button.
        RequestItem(currentItem());
        event->accept();
        return;
    case Qt::Key_Backspace:
        if (!platform::IsRoot(path)) {
            const QStringList chain = Ancestry(path);
            Q_EMIT OpenRequested(chain.at(chain.size() - 2));
        }
        event->accept();
        return;
    default:
        QTreeWidget::keyPressEvent(event);
    }
}

void DirectoryBox::mouseDoubleClickEvent(QMouseEvent *event) {
    event->accept();
}
