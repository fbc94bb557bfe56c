// The control centre's controls and their arrangement.
#include "frmControl.h"

#include "appicon.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QPushButton *MakeButton(QWidget *parent, QVBoxLayout *layout, const char *name,
                        const char *caption) {
    auto *button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setMinimumWidth(160);
    layout->addWidget(button);
    return button;
}

} // namespace

void frmControl::BuildLayout() {
    setObjectName(QStringLiteral("frmControl"));
    setWindowTitle(QString::fromLatin1(Caption));
    setWindowIcon(ProgramIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(6);

    lblReadOnly = new QLabel(QStringLiteral("Working In Read Only Mode"), this);
    lblReadOnly->setObjectName(QStringLiteral("lblReadOnly"));
    lblReadOnly->setAlignment(Qt::AlignCenter);
    QFont bold = lblReadOnly->font();
    bold.setBold(true);
    lblReadOnly->setFont(bold);
    layout->addWidget(lblReadOnly);
    cmdWhyRead = MakeButton(this, layout, "cmdWhyRead", "Why Read Only Mode?");

    cmdSetup = MakeButton(this, layout, "cmdSetup", "Setup");
    cmdUpdate = MakeButton(this, layout, "cmdUpdate", "Update");
    cmdBackup = MakeButton(this, layout, "cmdBackup", "Backup");
    cmdRestore = MakeButton(this, layout, "cmdRestore", "Restore");
    cmdDetails = MakeButton(this, layout, "cmdDetails", "Details");
    cmdHelp = MakeButton(this, layout, "cmdHelp", "Help");
    cmdAbout = MakeButton(this, layout, "cmdAbout", "About");
    cmdExit = MakeButton(this, layout, "cmdExit", "Exit");

    lblStatus = new QLabel(QStringLiteral("Status"), this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setAlignment(Qt::AlignCenter);
    layout->addWidget(lblStatus);

    tmrCheckInterval = new QTimer(this);
    tmrCheckInterval->setObjectName(QStringLiteral("tmrCheckInterval"));
    tmrCheckInterval->setInterval(5000);
}

void frmControl::BuildMenu() {
    mnuPop = new QMenu(this);
    mnuPop->setObjectName(QStringLiteral("mnuPop"));
    // From the tray the window is otherwise only a double-click away, which few people try.
    mnuOpen = mnuPop->addAction(QStringLiteral("Open Control Centre"));
    mnuOpen->setObjectName(QStringLiteral("mnuOpen"));
    QFont emphasised = mnuOpen->font();
    emphasised.setBold(true);
    mnuOpen->setFont(emphasised);
    connect(mnuOpen, &QAction::triggered, this, &frmControl::OpenControlCentre);
    mnuPop->addSeparator()->setObjectName(QStringLiteral("mnuOpenSeparator"));
    static const char *const Items[] = {"Setup", "Update",  "-",     "Backup", "Restore",
                                        "-",     "Details", "About", "-",      "Exit"};
    for (int i = 0; i < 10; ++i) {
        const bool separator = Items[i][0] == '-';
        QAction *item =
            separator ? mnuPop->addSeparator() : mnuPop->addAction(QString::fromLatin1(Items[i]));
        item->setObjectName(QStringLiteral("mnuPopup") + QString::number(i));
        connect(item, &QAction::triggered, this, [this, i] { MenuCommand(i); });
        mnuPopup.append(item);
    }
}
