// The file-selection step's controls: the directory tree, the file list, the backups filter, the
// version of one file and the options of the restore.
#include "RestoreFilesStep.h"

#include "CheckRoster.h"
#include "PathLabel.h"
#include "datetext.h"
#include "restorewidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// Buttons in a grid of the given number of columns, filled row by row.
QGridLayout *ButtonGrid(std::initializer_list<QWidget *> buttons, int columns) {
    auto *grid = new QGridLayout;
    int i = 0;
    for (QWidget *button : buttons) {
        grid->addWidget(button, i / columns, i % columns);
        ++i;
    }
    return grid;
}

} // namespace

void RestoreFilesStep::BuildLayout() {
    QWidget *frame = this;
    const QFontMetrics metrics(font());

    tvwDirs = Named(new QTreeWidget(frame), "tvwDirs");
    tvwDirs->setHeaderHidden(true);
    tvwDirs->setMinimumWidth(metrics.averageCharWidth() * 24);
    cmdSelAllDir = Button(frame, "cmdSelAllDir", "Select All");
    cmdDeSelAllDir = Button(frame, "cmdDeSelAllDir", "Deselect All");
    cmdInvSelDir = Button(frame, "cmdInvSelDir", "Invert All");
    cmdSelUnder = Button(frame, "cmdSelUnder", "Select All Subdirectories");
    cmdDeSelUnder = Button(frame, "cmdDeSelUnder", "Deselect All Subdirectories");
    cmdInvUnder = Button(frame, "cmdInvUnder", "Invert All Subdirectories");
    auto *treeColumn = new QVBoxLayout;
    treeColumn->addWidget(Caption(frame, "Directories :"));
    treeColumn->addWidget(tvwDirs, 1);
    treeColumn->addLayout(ButtonGrid({cmdSelAllDir, cmdDeSelAllDir, cmdInvSelDir}, 3));
    treeColumn->addWidget(cmdSelUnder);
    treeColumn->addWidget(cmdDeSelUnder);
    treeColumn->addWidget(cmdInvUnder);

    lstFiles = Named(new CheckRoster(frame), "lstFiles");
    lstFiles->setMinimumWidth(metrics.averageCharWidth() * 24);
    // A shared name is told apart by the end of its folder: a long row loses its middle.
    lstFiles->findChild<QListView *>(QStringLiteral("lstDisplay"))
        ->setTextElideMode(Qt::ElideMiddle);
    cmdAll = Button(frame, "cmdAll", "Select All Shown Files With Latest Backup");
    cmdSelAll = Button(frame, "cmdSelAll", "Select Shown");
    cmdDeSelAll = Button(frame, "cmdDeSelAll", "Deselect Shown");
    cmdInvSel = Button(frame, "cmdInvSel", "Invert Shown");
    cmdRange = Button(frame, "cmdRange", "Range Selection ...");
    lblFilesShown = ValueLabel(frame, "lblFilesShown");
    lblFilesShown->setWordWrap(true);
    auto *fileColumn = new QVBoxLayout;
    fileColumn->addWidget(Caption(frame, "Files :"));
    fileColumn->addWidget(lstFiles, 1);
    fileColumn->addWidget(lblFilesShown);
    fileColumn->addWidget(cmdAll);
    fileColumn->addLayout(ButtonGrid({cmdSelAll, cmdDeSelAll, cmdInvSel, cmdRange}, 2));

    lstBackupFilter = Named(new QListWidget(frame), "lstBackupFilter");
    lstBackupFilter->setSelectionMode(QAbstractItemView::MultiSelection);
    // Room for a row with its time, a scroll bar beside it.
    const QString widestRow =
        QStringLiteral("000. ") + SetDateText(QDateTime(QDate(2026, 12, 30), QTime(20, 0, 0)));
    lstBackupFilter->setMinimumWidth(
        metrics.horizontalAdvance(widestRow) +
        lstBackupFilter->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
        2 * lstBackupFilter->frameWidth() + metrics.averageCharWidth());
    cmdBackupSelAll = Button(frame, "cmdBackupSelAll", "Select All");
    cmdBackupDeSelAll = Button(frame, "cmdBackupDeSelAll", "Deselect All");
    cmdBackupInvertAll = Button(frame, "cmdBackupInvertAll", "Invert All");
    cmdBackupRange = Button(frame, "cmdBackupRange", "Range ...");
    auto *backupColumn = new QVBoxLayout;
    backupColumn->addWidget(Caption(frame, "Backups :"));
    backupColumn->addWidget(lstBackupFilter, 1);
    backupColumn->addLayout(
        ButtonGrid({cmdBackupSelAll, cmdBackupDeSelAll, cmdBackupInvertAll, cmdBackupRange}, 2));

    auto *lists = new QHBoxLayout;
    lists->addLayout(treeColumn, 3);
    lists->addLayout(fileColumn, 4);
    lists->addLayout(backupColumn, 2);

    txtFilename = Named(new QLineEdit(frame), "txtFilename");
    txtExt = Named(new QLineEdit(frame), "txtExt");
    txtExt->setMaximumWidth(metrics.averageCharWidth() * 14);
    cmdReset = Button(frame, "cmdReset", "Reset Filters");
    auto *filters = new QHBoxLayout;
    filters->addWidget(Caption(frame, "Filename :"));
    filters->addWidget(txtFilename, 1);
    filters->addWidget(Caption(frame, "Extension :"));
    filters->addWidget(txtExt);
    filters->addWidget(cmdReset);

    lblFileDir = Named(new PathLabel(frame, 1), "lblFileDir");
    lblFile = Named(new PathLabel(frame, 1), "lblFile");
    cmbBackups = Named(new QComboBox(frame), "cmbBackups");
    cmbBackups->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cmbBackups->setMinimumContentsLength(24);
    lblMedia = ValueLabel(frame, "lblMedia");
    auto *version = new QGridLayout;
    version->addWidget(Caption(frame, "Directory :"), 0, 0);
    version->addWidget(lblFileDir, 0, 1, 1, 3);
    version->addWidget(Caption(frame, "File :"), 1, 0);
    version->addWidget(lblFile, 1, 1, 1, 3);
    version->addWidget(Caption(frame, "Backup :"), 2, 0);
    version->addWidget(cmbBackups, 2, 1);
    version->addWidget(Caption(frame, "Media Number :"), 2, 2);
    version->addWidget(lblMedia, 2, 3);
    version->setColumnStretch(1, 1);
    version->setColumnStretch(3, 1);

    chkDirStruct =
        Named(new QCheckBox(QStringLiteral("Maintain Directory Structure"), frame), "chkDirStruct");
    chkIni = Named(new QCheckBox(QStringLiteral("Restore Program And Information File"), frame),
                   "chkIni");
    auto *options = new QHBoxLayout;
    options->addWidget(chkDirStruct);
    options->addWidget(chkIni);
    options->addStretch(1);

    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(lists, 1);
    layout->addLayout(filters);
    layout->addLayout(version);
    layout->addLayout(options);

    // One-shots run after the event that started them, so a burst of changes is handled once.
    tmrDoFilter = NamedTimer(this, "tmrDoFilter", 0, true);
    tmrCheckDirs = NamedTimer(this, "tmrCheckDirs", 0, true);
    tmrFilesClick = NamedTimer(this, "tmrFilesClick", 0, true);
}
