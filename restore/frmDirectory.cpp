#include "frmDirectory.h"

#include "DirectoryBox.h"
#include "FileBox.h"
#include "clsDirectory.h"
#include "newfolder.h"
#include "patterns.h"
#include "prompt.h"
#include "selectorpaths.h"
#include "selectors.h"
#include "textutil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

const QString EmptyPatternMessage = QStringLiteral("Pattern/Filename cannot be left empty!");

} // namespace

frmDirectory::frmDirectory(QWidget *parent) : QDialog(parent) {
    BuildLayout();
    ConnectControls();
    SetDirStuff(false);
    RefreshDrives();
    // Until a caller names a directory the window starts where the program was started.
    dirDirSel->SetPath(NearestOpenDirectory(QDir::currentPath()));
}

void frmDirectory::ConnectControls() {
    connect(drvDirSel, &QComboBox::currentIndexChanged, this, &frmDirectory::DriveChosen);
    connect(dirDirSel, &DirectoryBox::OpenRequested, this, &frmDirectory::DoSetTo);
    connect(dirDirSel, &DirectoryBox::PathChanged, this, &frmDirectory::DirectoryChanged);
    // A file is chosen by selecting it. Taking the box's current row instead would choose its
    // first file as soon as the box gets the focus, over the name given or typed.
    connect(fileDirSel, &FileBox::itemSelectionChanged, this, &frmDirectory::FileChosen);
    connect(fileDirSel, &FileBox::itemClicked, this, &frmDirectory::FileChosen);
    connect(fileDirSel, &FileBox::itemDoubleClicked, this, [this] {
        if (fileMode)
            OkClick();
    });
    connect(cmdManual, &QPushButton::clicked, this, &frmDirectory::ManualClick);
    connect(cmdNewFolder, &QPushButton::clicked, this, &frmDirectory::NewFolderClick);
    connect(cmdPattHelp, &QPushButton::clicked, this, [] { ShowPatternHelp(); });
    connect(cmdTestPatt, &QPushButton::clicked, this, &frmDirectory::TestPattClick);
    connect(cmdOk, &QPushButton::clicked, this, &frmDirectory::OkClick);
    connect(cmdCancel, &QPushButton::clicked, this, &frmDirectory::reject);
}

QString frmDirectory::GetDirectory(const QString &start) {
    clsDirectory entry;
    entry.SetNiceDirName(start);
    DoGetDirectory(entry, false);
    return entry.NiceDirName();
}

bool frmDirectory::GetAdvancedDirectory(clsDirectory &entry) {
    return DoGetDirectory(entry, true);
}

bool frmDirectory::DoGetDirectory(clsDirectory &entry, bool advanced) {
    SetDirStuff(advanced);
    fileDirSel->SetPattern(QString::fromLatin1(AllFilesFilter));
    if (advanced) {
        txtPatt->setText(entry.Patterns);
        chkIncSub->setChecked(entry.IncludeSubdirs);
    }
    RefreshDrives();
    // A directory not made yet (the backup folder before the first backup) is offered for
    // creation; declined, the window opens as near to it as it can, which says enough.
    if (OfferToCreate(entry.NiceDirName()))
        DoSetTo(entry.NiceDirName());
    else
        SetNearest(entry.NiceDirName());
    dirDirSel->setFocus();
    if (!RunModal())
        return false;
    entry.SetNiceDirName(dirDirSel->Path());
    if (advanced) {
        entry.Patterns = txtPatt->text();
        entry.IncludeSubdirs = chkIncSub->isChecked();
    }
    return true;
}

QString frmDirectory::GetFile(const QString &path, bool allowName, const QString &filter) {
    SetFileStuff(allowName);
    fileDirSel->SetPattern(filter.isEmpty() ? QString::fromLatin1(AllFilesFilter) : filter);
    RefreshDrives();
    txtPatt->clear();
    const SplitPath split = SplitFilePath(path);
    const bool setAsAsked = DoSetTo(split.directory);
    if (!split.name.isEmpty()) {
        const int row = fileDirSel->Find(split.name);
        if (row >= 0) {
            fileDirSel->setCurrentRow(row);
        } else {
            if (allowName)
                txtPatt->setText(split.name);
            if (setAsAsked)
                MsgBox(
                    QStringLiteral("Specified file could not be found in specified directory!\n") +
                    split.name + QStringLiteral(" in ") + dirDirSel->Path());
        }
    }
    fileDirSel->setFocus();
    const bool chosen = RunModal();
    // Other callers of the file box see every file again.
    fileDirSel->SetPattern(QString::fromLatin1(AllFilesFilter));
    return chosen ? dirDirSel->Path() + txtPatt->text() : QString();
}

bool frmDirectory::RunModal() {
    cancelled = false;
    exec();
    return !cancelled;
}

void frmDirectory::reject() {
    cancelled = true;
    QDialog::reject();
}

QString frmDirectory::ShownDirectory() const {
    return dirDirSel->Path();
}

void frmDirectory::SetNearest(const QString &dir) {
    const QString target = NearestOpenDirectory(dir);
    if (!target.isEmpty())
        dirDirSel->SetPath(target);
}

bool frmDirectory::DoSetTo(const QString &dir) {
    const QString wanted = dir.isEmpty() ? dirDirSel->Path() : dir;
    SetNearest(wanted);
    if (!dirDirSel->Path().isEmpty() && dirDirSel->Path() == TidyDirectory(wanted))
        return true;
    MsgBox(QStringLiteral("Could not set directory to ") + Quoted(wanted) +
           QStringLiteral(" as an error occured!\nThe directory was set to ") +
           Quoted(dirDirSel->Path()) + QLatin1Char('.'));
    return false;
}

void frmDirectory::RefreshDrives() {
    // Drives come and go (a stick, a disc), so the list is read again for every use.
    {
        const QSignalBlocker quiet(drvDirSel);
        drvDirSel->clear();
        drives = platform::Drives();
        for (const platform::Drive &drive : drives)
            drvDirSel->addItem(drive.root, drive.root);
    }
    ShowDriveOf(dirDirSel->Path());
}

void frmDirectory::ShowDriveOf(const QString &dir) {
    const QSignalBlocker quiet(drvDirSel);
    drvDirSel->setCurrentIndex(drvDirSel->findData(DriveRootFor(dir, drives)));
}

void frmDirectory::DriveChosen(int index) {
    if (index >= 0)
        DoSetTo(drvDirSel->itemData(index).toString());
}

void frmDirectory::DirectoryChanged(const QString &dir) {
    ShowDriveOf(dir);
    fileDirSel->SetDirectory(dir);
}

void frmDirectory::FileChosen() {
    const QList<QListWidgetItem *> chosen = fileDirSel->selectedItems();
    if (!chosen.isEmpty())
        txtPatt->setText(chosen.first()->text());
}

void frmDirectory::ManualClick() {
    const QString answer = InputBox(QStringLiteral("Enter directory :"), dirDirSel->Path());
    // Declined, everything stays as it was.
    if (!answer.isEmpty() && OfferToCreate(answer))
        DoSetTo(answer);
}

void frmDirectory::NewFolderClick() {
    const QString parent = dirDirSel->Path();
    const QString typed = InputBox(QStringLiteral("Enter the new folder's name :"), QString(),
                                   QStringLiteral("New Folder"));
    if (typed.isEmpty())
        return; // cancelled
    const QString name = typed.trimmed();
    const QString refusal = NewFolderRefusal(parent, name);
    if (!refusal.isEmpty()) {
        MsgBox(refusal);
        return;
    }
    if (MakeFolder(parent + name, false))
        DoSetTo(parent + name);
}

void frmDirectory::TestPattClick() {
    if (txtPatt->text().isEmpty()) {
        MsgBox(EmptyPatternMessage);
        return;
    }
    const QString valid = ValidatePattern(txtPatt->text(), true, true);
    if (!valid.isEmpty())
        txtPatt->setText(valid);
}

void frmDirectory::OkClick() {
    if (fileMode) {
        if (txtPatt->text().isEmpty()) {
            MsgBox(nameAllowed ? QStringLiteral("You must select a file or enter a filename!")
                               : QStringLiteral("You must select a file!"));
            return;
        }
        accept();
        return;
    }
    if (patternInUse) {
        if (txtPatt->text().isEmpty()) {
            MsgBox(EmptyPatternMessage);
            return;
        }
        const QString valid = ValidatePattern(txtPatt->text(), true, false);
        if (valid.isEmpty())
            return;
        txtPatt->setText(valid);
    }
    accept();
}
