#include "frmFilesToBackup.h"

#include "WindowKeys.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

frmFilesToBackup::frmFilesToBackup(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmFilesToBackup"));
    setWindowTitle(QStringLiteral("Files To Backup"));
    auto *layout = new QVBoxLayout(this);
    lstFiles = new QListWidget(this);
    lstFiles->setObjectName(QStringLiteral("lstFiles"));
    // Every row is one line of text: the list need not measure each of many thousands.
    lstFiles->setUniformItemSizes(true);
    lstFiles->setSelectionMode(QAbstractItemView::NoSelection);
    layout->addWidget(lstFiles);
    auto *buttons = new QHBoxLayout();
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);
    WindowKeys::Install(this, cmdClose);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    layout->addLayout(buttons);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::hide);
    resize(640, 420);
}

void frmFilesToBackup::ShowForm(const QStringList &files) {
    lstFiles->clear();
    lstFiles->addItems(files);
    show();
    raise();
    activateWindow();
}
