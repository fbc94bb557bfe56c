#pragma once
// The list of files a running backup has written and still has to write, opened from the
// wizard's "View list of files to backup". It is not modal: the run goes on while it is open.

#include <QStringList>
#include <QWidget>

class QListWidget;
class QPushButton;

class frmFilesToBackup : public QWidget {
public:
    explicit frmFilesToBackup(QWidget *parent = nullptr);

    // Fills the list with the run's files as they are now and shows the window.
    void ShowForm(const QStringList &files);
    QListWidget *List() const { return lstFiles; }

private:
    QListWidget *lstFiles = nullptr;
    QPushButton *cmdClose = nullptr;
};
