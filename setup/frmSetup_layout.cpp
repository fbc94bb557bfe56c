// The setup window's controls and their places: six tabs over OK, Cancel and Help.
#include "frmSetup.h"

#include "namedwidgets.h"
#include "sidetabstyle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QListWidget *List(QWidget *parent, const char *name) {
    auto *list = Named(new QListWidget(parent), name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    // The scroll position is kept as a top row.
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    return list;
}

// A caption over its list, the list's buttons in a column beside it: the shape of the three list
// tabs.
QVBoxLayout *ListPage(QWidget *page, QLabel *caption, QListWidget *list,
                      std::initializer_list<QPushButton *> buttons) {
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(caption);
    auto *row = new QHBoxLayout;
    row->addWidget(list, 1);
    auto *column = new QVBoxLayout;
    for (QPushButton *button : buttons)
        column->addWidget(button);
    column->addStretch();
    row->addLayout(column);
    layout->addLayout(row, 1);
    return layout;
}

QWidget *Page(int index) {
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("fraSetup%1").arg(index));
    return page;
}

// A label that shows a directory fitted to its width: it never widens the window.
QLabel *DirectoryLabel(QWidget *parent, const char *name) {
    QLabel *label = Label(parent, name, "");
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    label->setMinimumWidth(200);
    label->setMinimumHeight(2 * label->fontMetrics().lineSpacing() + 4);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFrameShape(QFrame::StyledPanel);
    return label;
}

QLabel *Explanation(QWidget *parent, const char *name, const QString &text) {
    QLabel *label = Named(new QLabel(text, parent), name);
    label->setWordWrap(true);
    return label;
}

} // namespace

void frmSetup::BuildLayout() {
    setWindowTitle(QString::fromLatin1(Caption));
    auto *layout = new QVBoxLayout(this);
    tabs = Named(new QTabWidget(this), "tabs");
    tabs->setTabPosition(QTabWidget::West);
    auto *style = new SideTabStyle;
    style->setParent(this);
    tabs->tabBar()->setStyle(style);
    tabs->addTab(BuildDirectoriesTab(), QStringLiteral("Directories To Backup"));
    tabs->addTab(BuildPatternsTab(), QStringLiteral("'Include All' Patterns"));
    tabs->addTab(BuildExcludesTab(), QStringLiteral("Directories To Exclude"));
    tabs->addTab(BuildUpdatesTab(), QStringLiteral("Updates (Program && Info File)"));
    tabs->addTab(BuildMediaTab(), QStringLiteral("Set Available Media"));
    tabs->addTab(BuildMiscTab(), QStringLiteral("Misc."));
    layout->addWidget(tabs, 1);

    auto *buttons = new QHBoxLayout;
    // Spelled as every message box over this window spells it.
    cmdOk = Button(this, "cmdOk", "OK");
    cmdOk->setDefault(true);
    cmdCancel = Button(this, "cmdCancel", "Cancel");
    cmdHelp = Button(this, "cmdHelp", "Help");
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdHelp);
    layout->addLayout(buttons);
    // Room for the lists, however large the font, within a small screen.
    resize(minimumSizeHint().expandedTo(QSize(820, 500)).boundedTo(QSize(1000, 720)));
}

QWidget *frmSetup::BuildDirectoriesTab() {
    QWidget *page = Page(0);
    lblDirectoriesCap = Label(page, "lblDirectoriesCap", "Directories To Backup :");
    lstDirectories = List(page, "lstDirectories");
    cmdAdd = Button(page, "cmdAdd", "Add Directory");
    cmdEdit = Button(page, "cmdEdit", "Edit Directory");
    cmdRemove = Button(page, "cmdRemove", "Remove Directory");
    cmdClearDirs = Button(page, "cmdClearDirs", "Clear Directories");
    ListPage(page, lblDirectoriesCap, lstDirectories, {cmdAdd, cmdEdit, cmdRemove, cmdClearDirs});
    return page;
}

QWidget *frmSetup::BuildPatternsTab() {
    QWidget *page = Page(1);
    lblIncludedPatternsCap = Label(page, "lblIncludedPatternsCap", "Included Patterns :");
    lstPatterns = List(page, "lstPatterns");
    cmdAddPatt = Button(page, "cmdAddPatt", "Add Pattern");
    cmdEditPatt = Button(page, "cmdEditPatt", "Edit Pattern");
    cmdRemovePatt = Button(page, "cmdRemovePatt", "Remove Pattern");
    cmdClearPatts = Button(page, "cmdClearPatts", "Clear Patterns");
    QVBoxLayout *layout = ListPage(page, lblIncludedPatternsCap, lstPatterns,
                                   {cmdAddPatt, cmdEditPatt, cmdRemovePatt, cmdClearPatts});
    lblCommon = Label(page, "lblCommon", "Common Patterns :");
    cmbCommon = Named(new QComboBox(page), "cmbCommon");
    cmbCommon->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    cmdAddCommon = Button(page, "cmdAddCommon", "Add");
    auto *common = new QHBoxLayout;
    common->addWidget(lblCommon);
    common->addWidget(cmbCommon);
    common->addWidget(cmdAddCommon);
    common->addStretch();
    layout->addLayout(common);
    return page;
}

QWidget *frmSetup::BuildExcludesTab() {
    QWidget *page = Page(2);
    lblExclude = Label(page, "lblExclude", "Directories To Exclude :");
    lstExclude = List(page, "lstExclude");
    cmdAddEx = Button(page, "cmdAddEx", "Add Directory");
    cmdAddPattEx = Button(page, "cmdAddPattEx", "Add Pattern");
    cmdEditEx = Button(page, "cmdEditEx", "Edit Directory");
    cmdRemoveEx = Button(page, "cmdRemoveEx", "Remove Directory");
    cmdCLearDirsEx = Button(page, "cmdCLearDirsEx", "Clear Directories");
    ListPage(page, lblExclude, lstExclude,
             {cmdAddEx, cmdAddPattEx, cmdEditEx, cmdRemoveEx, cmdCLearDirsEx});
    return page;
}

QWidget *frmSetup::BuildUpdatesTab() {
    QWidget *page = Page(3);
    lblUpdateCap =
        Label(page, "lblUpdateCap", "To perform an update, use the button on the main form.");
    chkUpdate =
        Named(new QCheckBox(
                  QStringLiteral("Automatically check for updates when the program starts"), page),
              "chkUpdate");
    lblProgramCap = Label(page, "lblProgramCap", "Program :");
    cmdRollback = Button(page, "cmdRollback", "Rollback Latest Update (If Possible)");
    lblFileCap = Label(page, "lblFileCap", "Information File :");
    cmdImportINI = Button(page, "cmdImportINI", "Import Settings From INI File");
    cmdExportIni = Button(page, "cmdExportIni", "Export Settings To INI File");
    cmdReset = Button(page, "cmdReset", "Reset Everything (!!)");

    auto *layout = new QGridLayout(page);
    layout->addWidget(lblUpdateCap, 0, 0, 1, 3);
    layout->addWidget(chkUpdate, 1, 0, 1, 3);
    // Each caption stands level with the first button of its group.
    layout->addWidget(lblProgramCap, 2, 0, Qt::AlignLeft | Qt::AlignVCenter);
    layout->addWidget(cmdRollback, 2, 1);
    layout->addWidget(lblFileCap, 3, 0, Qt::AlignLeft | Qt::AlignVCenter);
    layout->addWidget(cmdImportINI, 3, 1);
    layout->addWidget(cmdExportIni, 4, 1);
    layout->addWidget(cmdReset, 5, 1);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(6, 1);
    return page;
}

QWidget *frmSetup::BuildMediaTab() {
    QWidget *page = Page(4);
    lblAvailable = Label(page, "lblAvailable", "Available :");
    lstAvailable = List(page, "lstAvailable");
    lblUnavailable = Label(page, "lblUnavailable", "Unavailable :");
    lstUnavailable = List(page, "lstUnavailable");
    lblDeleted = Label(page, "lblDeleted", "Deleted :");
    lstDeleted = List(page, "lstDeleted");
    cmdMakeAvailable = Button(page, "cmdMakeAvailable", "<");
    cmdMakeUnavailable = Button(page, "cmdMakeUnavailable", ">");
    cmdDelete = Button(page, "cmdDelete", ">");
    // The arrows keep the width the style gives a button; the lists beside them take the rest.
    for (QPushButton *button : {cmdMakeAvailable, cmdMakeUnavailable, cmdDelete})
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // A medium's row wraps after its set date rather than run out of sight: three lists side by
    // side leave each little room at a large font.
    const int dateWidth = fontMetrics().horizontalAdvance(QStringLiteral("00/00/0000 -"));
    for (QListWidget *list : {lstAvailable, lstUnavailable, lstDeleted}) {
        list->setWordWrap(true);
        list->setResizeMode(QListView::Adjust);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setMinimumWidth(dateWidth + 2 * list->frameWidth() + 8);
    }
    lblLostMedia = Explanation(
        page, "lblLostMedia",
        QStringLiteral(
            "If a backup media has been lost or damaged, you can report it as unavailable here. "
            "The program will then not ask for it when it uses information files made after "
            "that. Files that were backed up only once, and only on that media, cannot be "
            "restored until another backup is made. Deleting a media is a permanent form of "
            "unavailability: it forgets every copy the media held."));
    lblBackupNow = Explanation(
        page, "lblBackupNow",
        QStringLiteral("After reporting a media unavailable, start a new backup, in case files "
                       "that were on it need to be backed up again."));

    auto *grid = new QGridLayout;
    grid->addWidget(lblAvailable, 0, 0);
    grid->addWidget(lblUnavailable, 0, 2);
    grid->addWidget(lblDeleted, 0, 4);
    grid->addWidget(lstAvailable, 1, 0);
    auto *swap = new QVBoxLayout;
    swap->addStretch();
    swap->addWidget(cmdMakeAvailable);
    swap->addWidget(cmdMakeUnavailable);
    swap->addStretch();
    grid->addLayout(swap, 1, 1);
    grid->addWidget(lstUnavailable, 1, 2);
    auto *remove = new QVBoxLayout;
    remove->addStretch();
    remove->addWidget(cmdDelete);
    remove->addStretch();
    grid->addLayout(remove, 1, 3);
    grid->addWidget(lstDeleted, 1, 4);
    for (int column : {0, 2, 4})
        grid->setColumnStretch(column, 1);

    auto *layout = new QVBoxLayout(page);
    layout->addLayout(grid, 1);
    layout->addWidget(lblLostMedia);
    layout->addWidget(lblBackupNow);
    return page;
}

QWidget *frmSetup::BuildMiscTab() {
    QWidget *page = Page(5);
    chkStartup =
        Named(new QCheckBox(
                  QStringLiteral("Automatically run the program when the computer starts"), page),
              "chkStartup");
    lblInterval = Label(page, "lblInterval", "Backup Interval :");
    cmbInterval = Named(new QComboBox(page), "cmbInterval");
    cmbInterval->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    lblBackupDirCap = Label(page, "lblBackupDirCap", "Backup Directory :");
    lblBackupDir = DirectoryLabel(page, "lblBackupDir");
    cmdSetBackupDirectory = Button(page, "cmdSetBackupDirectory", "Set Backup Directory");
    lblTempDirCap = Label(page, "lblTempDirCap", "Temporary Zip Directory :");
    lblTempDir = DirectoryLabel(page, "lblTempDir");
    cmdSetTempDirectory = Button(page, "cmdSetTempDirectory", "Set Temporary Directory");

    auto *layout = new QGridLayout(page);
    layout->addWidget(chkStartup, 0, 0, 1, 3);
    layout->addWidget(lblInterval, 1, 0);
    layout->addWidget(cmbInterval, 1, 1, Qt::AlignLeft);
    // Each directory gets the whole width under its caption, so that more of it shows.
    layout->addWidget(lblBackupDirCap, 2, 0);
    layout->addWidget(cmdSetBackupDirectory, 2, 2);
    layout->addWidget(lblBackupDir, 3, 0, 1, 3);
    layout->addWidget(lblTempDirCap, 4, 0);
    layout->addWidget(cmdSetTempDirectory, 4, 2);
    layout->addWidget(lblTempDir, 5, 0, 1, 3);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(6, 1);
    return page;
}
