#include "RestoreFilesStep.h"

#include "CheckRoster.h"
#include "CheckRosterRows.h"
#include "ListWidgetRows.h"
#include "PathLabel.h"
#include "TreeWidgetSink.h"
#include "cancelflag.h"
#include "listednames.h"
#include "model.h"
#include "platform.h"
#include "prompt.h"
#include "selectors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeWidget>

namespace {

bool Tick(bool) {
    return true;
}
bool Untick(bool) {
    return false;
}
bool Invert(bool ticked) {
    return !ticked;
}

} // namespace

RestoreFilesStep::RestoreFilesStep(const Model &model, RestoreSelection &selection, QWidget *parent)
    : QWidget(parent), model(model), selection(selection) {
    BuildLayout();
    ConnectEvents();
}

void RestoreFilesStep::Reset() {
    chkDirStruct->setChecked(true);
    chkIni->setChecked(true);
    filterSuppressed = true;
    txtFilename->clear();
    txtExt->clear();
    filterSuppressed = false;
}

bool RestoreFilesStep::KeepStructure() const {
    return chkDirStruct->isChecked();
}

bool RestoreFilesStep::WithProgram() const {
    return chkIni->isChecked();
}

void RestoreFilesStep::ConnectEvents() {
    connect(tmrDoFilter, &QTimer::timeout, this, &RestoreFilesStep::DoFilter2);
    connect(tmrCheckDirs, &QTimer::timeout, this, [this] {
        if (!filterSuppressed)
            StartFilter();
    });
    connect(tmrFilesClick, &QTimer::timeout, this, &RestoreFilesStep::FilesClicked);
    connect(txtFilename, &QLineEdit::textChanged, this, &RestoreFilesStep::StartFilter);
    connect(txtExt, &QLineEdit::textChanged, this, &RestoreFilesStep::StartFilter);
    connect(lstBackupFilter, &QListWidget::itemSelectionChanged, this,
            &RestoreFilesStep::StartFilter);
    connect(tvwDirs, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem *, int) {
        if (!filterSuppressed)
            tmrCheckDirs->start();
    });
    connect(tvwDirs, &QTreeWidget::currentItemChanged, this, &RestoreFilesStep::SetTvwEnabled);
    connect(lstFiles, &CheckRoster::Click, this, [this] { tmrFilesClick->start(); });
    connect(lstFiles, &CheckRoster::ItemCheck, this, [this](int) { tmrFilesClick->start(); });
    connect(cmbBackups, &QComboBox::currentIndexChanged, this, &RestoreFilesStep::BackupChosen);

    connect(cmdAll, &QPushButton::clicked, this, &RestoreFilesStep::AllLatestClick);
    connect(cmdSelAll, &QPushButton::clicked, this, [this] { ChangeShownFiles(Tick); });
    connect(cmdDeSelAll, &QPushButton::clicked, this, [this] { ChangeShownFiles(Untick); });
    connect(cmdInvSel, &QPushButton::clicked, this, [this] { ChangeShownFiles(Invert); });
    connect(cmdRange, &QPushButton::clicked, this, &RestoreFilesStep::RangeClick);
    connect(cmdSelAllDir, &QPushButton::clicked, this, [this] { ChangeEveryNode(Tick); });
    connect(cmdDeSelAllDir, &QPushButton::clicked, this, [this] { ChangeEveryNode(Untick); });
    connect(cmdInvSelDir, &QPushButton::clicked, this, [this] { ChangeEveryNode(Invert); });
    connect(cmdSelUnder, &QPushButton::clicked, this, [this] { ChangeNodesBelow(Tick); });
    connect(cmdDeSelUnder, &QPushButton::clicked, this, [this] { ChangeNodesBelow(Untick); });
    connect(cmdInvUnder, &QPushButton::clicked, this, [this] { ChangeNodesBelow(Invert); });
    connect(cmdBackupSelAll, &QPushButton::clicked, this, [this] { ChangeBackupRows(Tick); });
    connect(cmdBackupDeSelAll, &QPushButton::clicked, this, [this] { ChangeBackupRows(Untick); });
    connect(cmdBackupInvertAll, &QPushButton::clicked, this, [this] { ChangeBackupRows(Invert); });
    connect(cmdBackupRange, &QPushButton::clicked, this, &RestoreFilesStep::BackupRangeClick);
    connect(cmdReset, &QPushButton::clicked, this, &RestoreFilesStep::ResetFilters);
}

void RestoreFilesStep::BuildLists(const std::function<void(const QString &)> &message) {
    filterSuppressed = true;
    PopBackupFilter();
    filterSuppressed = false;
    selection.Build(message);
    sharedNames = SharedNames(model);
    chkIni->setChecked(false);
    message(QStringLiteral("Populating Lists"));
    PopDirs();
    PopFiles();
    StartFilter();
    message(QString());
}

void RestoreFilesStep::PopBackupFilter() {
    lstBackupFilter->clear();
    for (int b = 0; b <= model.BackupsLast(); ++b) {
        auto *item = new QListWidgetItem(QString::number(b + 1) + QStringLiteral(". ") +
                                             model.Backups[b].SetDate,
                                         lstBackupFilter);
        item->setSelected(true);
    }
}

void RestoreFilesStep::PopDirs() {
    filterSuppressed = true;
    tvwDirs->clear();
    TreeWidgetSink sink(tvwDirs);
    selection.DirectoryTree().PopTreeView(sink);
    nodeOf = sink.Items();
    tvwDirs->expandAll();
    filterSuppressed = false;
    SetTvwEnabled();
}

void RestoreFilesStep::PopFiles() {
    if (filterSuppressed)
        return;
    const int top = lstFiles->TopIndex();
    const int selected = lstFiles->ListIndex();
    lstFiles->Clear();
    rowFile.clear();
    const QList<RestoreFileState> &files = selection.Files();
    for (int index : selection.SortedOrder()) {
        if (!files[index].Shown)
            continue;
        lstFiles->AddItem(ListedName(model.Files[index], sharedNames));
        if (files[index].Ticked)
            lstFiles->SetSelected(int(rowFile.size()), true);
        rowFile.append(index);
    }
    // The list is shown at once, not after the control's own pause, so what follows sees it.
    lstFiles->DoTabs();
    lstFiles->Pop();
    const int last = int(rowFile.size()) - 1;
    if (last >= 0) {
        if (selected >= 0)
            lstFiles->SetListIndex(qMin(selected, last));
        if (top >= 0)
            lstFiles->SetTopIndex(qMin(top, last));
    }
    SetFilesTicked();
    PopBackup();
}

void RestoreFilesStep::SetFilesTicked() {
    QList<RestoreFileState> &files = selection.Files();
    int shownTicked = 0;
    for (int row = 0; row < rowFile.size(); ++row) {
        const bool ticked = lstFiles->Selected(row);
        files[rowFile[row]].Ticked = ticked;
        shownTicked += ticked ? 1 : 0;
    }
    int allTicked = 0;
    for (const RestoreFileState &f : files)
        allTicked += f.Ticked ? 1 : 0;
    lblFilesShown->setText(QString::number(files.size()) + QStringLiteral(" Files, ") +
                           QString::number(rowFile.size()) + QStringLiteral(" Showing, ") +
                           QString::number(shownTicked) + QStringLiteral(" Shown Ticked, ") +
                           QString::number(allTicked) + QStringLiteral(" Ticked Total"));
}

int RestoreFilesStep::GetFileIndex() const {
    const int row = lstFiles->ListIndex();
    return row >= 0 && row < rowFile.size() ? rowFile[row] : -1;
}

void RestoreFilesStep::PopBackup() {
    const int index = GetFileIndex();
    const QSignalBlocker quiet(cmbBackups);
    cmbBackups->clear();
    if (index < 0) {
        cmbBackups->setEnabled(false);
        lblFileDir->SetPath(QStringLiteral("---"));
        lblFile->SetPath(QStringLiteral("---"));
        lblMedia->setText(QStringLiteral("---"));
        return;
    }
    const FileRecord &f = model.Files[index];
    lblFileDir->SetPath(f.Path);
    lblFile->SetPath(f.Name);
    for (const VersionRecord &v : f.Versions) {
        const int b = v.BackupIndex;
        const QString date =
            b >= 0 && b <= model.BackupsLast() ? model.Backups[b].SetDate : QString();
        cmbBackups->addItem(QStringLiteral("Set ") + QString::number(b + 1) +
                            QStringLiteral(", Date ") + date);
    }
    cmbBackups->setEnabled(true);
    const int use = selection.Files()[index].UseVersion;
    cmbBackups->setCurrentIndex(use);
    BackupChosen(use);
}

void RestoreFilesStep::BackupChosen(int row) {
    const int index = GetFileIndex();
    if (index < 0 || row < 0 || row > model.Files[index].VersionsLast())
        return;
    selection.Files()[index].UseVersion = row;
    VersionRecord v = model.Files[index].Versions[row];
    v.ComputeLastMedium();
    QString media = QString::number(v.MediumIndex + 1);
    if (v.LastMedium != v.MediumIndex)
        media += QStringLiteral(" - ") + QString::number(v.LastMedium + 1);
    lblMedia->setText(media);
}

void RestoreFilesStep::StartFilter() {
    if (!filterSuppressed)
        tmrDoFilter->start();
}

void RestoreFilesStep::DoFilter2() {
    tmrDoFilter->stop();
    if (filterSuppressed || CancelFlag())
        return;
    RestoreFilter filter;
    filter.filename = txtFilename->text();
    filter.extension = txtExt->text();
    for (int row = 0; row < lstBackupFilter->count(); ++row)
        if (lstBackupFilter->item(row)->isSelected())
            filter.selectedBackups.insert(row);
    filter.directoryTicked = [this](const QString &dir) {
        const QTreeWidgetItem *node = nodeOf.value(dir);
        return !node || node->checkState(0) == Qt::Checked;
    };
    if (selection.DoFilter2(filter))
        PopFiles();
}

void RestoreFilesStep::FilesClicked() {
    tmrFilesClick->stop();
    SetFilesTicked();
    PopBackup();
}

void RestoreFilesStep::SetTvwEnabled() {
    const bool selected = tvwDirs->currentItem() != nullptr;
    for (QPushButton *button : {cmdSelUnder, cmdDeSelUnder, cmdInvUnder})
        button->setEnabled(selected);
}

void RestoreFilesStep::ChangeNodeAndBelow(QTreeWidgetItem *node, bool (*change)(bool ticked)) {
    const bool ticked = node->checkState(0) == Qt::Checked;
    node->setCheckState(0, change(ticked) ? Qt::Checked : Qt::Unchecked);
    for (int i = 0; i < node->childCount(); ++i)
        ChangeNodeAndBelow(node->child(i), change);
}

void RestoreFilesStep::ChangeEveryNode(bool (*change)(bool ticked)) {
    filterSuppressed = true;
    for (int i = 0; i < tvwDirs->topLevelItemCount(); ++i)
        ChangeNodeAndBelow(tvwDirs->topLevelItem(i), change);
    filterSuppressed = false;
    StartFilter();
}

void RestoreFilesStep::ChangeNodesBelow(bool (*change)(bool ticked)) {
    QTreeWidgetItem *node = tvwDirs->currentItem();
    if (!node)
        return;
    filterSuppressed = true;
    ChangeNodeAndBelow(node, change);
    filterSuppressed = false;
    StartFilter();
}

void RestoreFilesStep::ChangeShownFiles(bool (*change)(bool ticked)) {
    for (int row = 0; row < rowFile.size(); ++row)
        lstFiles->SetSelected(row, change(lstFiles->Selected(row)));
    SetFilesTicked();
}

void RestoreFilesStep::ChangeBackupRows(bool (*change)(bool selected)) {
    filterSuppressed = true;
    for (int row = 0; row < lstBackupFilter->count(); ++row) {
        QListWidgetItem *item = lstBackupFilter->item(row);
        item->setSelected(change(item->isSelected()));
    }
    filterSuppressed = false;
    StartFilter();
}

void RestoreFilesStep::AllLatestClick() {
    ChangeShownFiles(Tick);
    QList<RestoreFileState> &files = selection.Files();
    for (qsizetype i = 0; i < files.size(); ++i)
        files[i].UseVersion = model.Files[i].VersionsLast();
    PopBackup();
}

void RestoreFilesStep::RangeClick() {
    if (lstFiles->ListCount() == 0) {
        MsgBox(QStringLiteral("You cannot select a range when there are no files to select!"));
        return;
    }
    CheckRosterRows rows(lstFiles);
    ShowRange(rows);
    SetFilesTicked();
}

void RestoreFilesStep::BackupRangeClick() {
    if (lstBackupFilter->count() == 0) {
        MsgBox(QStringLiteral("You cannot select a range when there are no backups to select!"));
        return;
    }
    ListWidgetRows rows(lstBackupFilter);
    ShowRange(rows);
    StartFilter();
}

void RestoreFilesStep::ResetFilters() {
    filterSuppressed = true;
    for (int i = 0; i < tvwDirs->topLevelItemCount(); ++i)
        ChangeNodeAndBelow(tvwDirs->topLevelItem(i), Tick);
    txtFilename->clear();
    txtExt->clear();
    for (int row = 0; row < lstBackupFilter->count(); ++row)
        lstBackupFilter->item(row)->setSelected(true);
    filterSuppressed = false;
    StartFilter();
}

void RestoreFilesStep::ApplyType(int type) {
    chkIni->setChecked(selection.ApplyRestoreType(type, chkIni->isChecked()));
}
