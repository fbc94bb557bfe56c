#pragma once
// The directory box of the directory window: the open directory with every directory above it,
// and below it its subdirectories. A click, or Enter on the highlighted row, asks to open that
// directory; Backspace asks to open the one above. The window decides, so that a directory that
// cannot be opened is reported the same way wherever the request came from.

#include <QTreeWidget>

class DirectoryBox : public QTreeWidget {
    Q_OBJECT
public:
    explicit DirectoryBox(QWidget *parent = nullptr);

    // The open directory, ending in the separator.
    QString Path() const { return path; }
    // Opens the directory (absolute, tidied by the caller). False, with the box left as it was,
    // when it cannot be listed.
    bool SetPath(const QString &dir);

Q_SIGNALS:
    void OpenRequested(const QString &dir);
    // After every SetPath that succeeded, also one that opened the same directory again: its
    // contents may have changed since.
    void PathChanged(const QString &dir);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    // The second click of a double-click would land on whatever row moved under the pointer
    // when the first one opened a directory; a double-click therefore opens only once.
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    // Every row is always open; an arrow beside it would promise a fold that does not exist.
    void drawBranches(QPainter *, const QRect &, const QModelIndex &) const override {}

private:
    void Fill(const QStringList &subdirectories);
    void ShowOpenDirectory();
    void RequestItem(const QTreeWidgetItem *item);

    QString path;
};
