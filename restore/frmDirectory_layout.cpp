// The directory window's controls and their arrangement in its two layouts.
#include "frmDirectory.h"

#include "DirectoryBox.h"
#include "FileBox.h"
#include "namedwidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <initializer_list>

namespace {

// A control a layout does not use is hidden and disabled, so that neither click nor key reaches
// it.
void ShowControls(std::initializer_list<QWidget *> controls, bool shown) {
    for (QWidget *control : controls) {
        control->setVisible(shown);
        control->setEnabled(shown);
    }
}

} // namespace

void frmDirectory::BuildLayout() {
    setObjectName(QStringLiteral("frmDirectory"));
    setWindowTitle(QString::fromLatin1(Caption));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    lblDirSel = Named(new QLabel(this), "lblDirSel");
    drvDirSel = Named(new QComboBox(this), "drvDirSel");
    drvDirSel->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    drvDirSel->setMinimumContentsLength(16);
    // The boxes grow with the font, so that a larger one still shows whole names.
    const QFontMetrics metrics(font());
    const QSize boxSize(metrics.averageCharWidth() * 28, metrics.lineSpacing() * 14);
    dirDirSel = Named(new DirectoryBox(this), "dirDirSel");
    dirDirSel->setMinimumSize(boxSize);
    lblFileList = Named(new QLabel(this), "lblFileList");
    fileDirSel = Named(new FileBox(this), "fileDirSel");
    fileDirSel->setMinimumSize(boxSize);
    lblDirSel->setBuddy(dirDirSel);
    lblFileList->setBuddy(fileDirSel);

    lblPatt = Named(new QLabel(this), "lblPatt");
    txtPatt = Named(new QLineEdit(this), "txtPatt");
    lblPatt->setBuddy(txtPatt);
    chkIncSub = Named(new QCheckBox(QStringLiteral("Include Subdirectories"), this), "chkIncSub");
    cmdPattHelp = Button(this, "cmdPattHelp", "Pattern Help");
    cmdTestPatt = Button(this, "cmdTestPatt", "Test Pattern");
    cmdManual = Button(this, "cmdManual", "Enter A Directory Manually");
    cmdNewFolder = Button(this, "cmdNewFolder", "New Folder");
    cmdOk = Button(this, "cmdOk", "OK");
    cmdCancel = Button(this, "cmdCancel", "Cancel");
    cmdOk->setDefault(true);

    auto *boxes = new QGridLayout;
    boxes->addWidget(lblDirSel, 0, 0);
    boxes->addWidget(lblFileList, 0, 1);
    boxes->addWidget(drvDirSel, 1, 0);
    boxes->addWidget(dirDirSel, 2, 0);
    boxes->addWidget(fileDirSel, 1, 1, 2, 1);
    boxes->setColumnStretch(0, 1);
    boxes->setColumnStretch(1, 1);
    boxes->setRowStretch(2, 1);

    auto *pattern = new QHBoxLayout;
    pattern->addWidget(lblPatt);
    pattern->addWidget(txtPatt, 1);

    auto *patternButtons = new QHBoxLayout;
    patternButtons->addWidget(chkIncSub);
    patternButtons->addStretch();
    patternButtons->addWidget(cmdPattHelp);
    patternButtons->addWidget(cmdTestPatt);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdManual);
    buttons->addWidget(cmdNewFolder);
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(boxes, 1);
    layout->addLayout(pattern);
    layout->addLayout(patternButtons);
    layout->addSpacing(6);
    layout->addLayout(buttons);
}

void frmDirectory::SetDirStuff(bool advanced) {
    fileMode = false;
    patternInUse = advanced;
    lblDirSel->setText(QStringLiteral("Directory Selector :"));
    lblFileList->setText(QStringLiteral("File List (Reference Only):"));
    lblPatt->setText(QStringLiteral("File Name/Pattern :"));
    ShowControls({lblPatt, txtPatt, chkIncSub, cmdPattHelp, cmdTestPatt}, advanced);
}

void frmDirectory::SetFileStuff(bool allowName) {
    fileMode = true;
    patternInUse = false;
    nameAllowed = allowName;
    lblDirSel->setText(QStringLiteral("File Selector :"));
    lblFileList->setText(QStringLiteral("File List :"));
    lblPatt->setText(QStringLiteral("File Name :"));
    ShowControls({lblPatt, txtPatt}, allowName);
    ShowControls({chkIncSub, cmdPattHelp, cmdTestPatt}, false);
}
