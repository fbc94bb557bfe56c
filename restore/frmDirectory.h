#pragma once
// The directory selector: picks a directory, a directory with its patterns and subdirectory
// flag, or a file. It is made once and only ever hidden; each Get call shows it modally and
// answers when it is hidden again, remembering whether that was by Cancel.

#include "platform.h"

#include <QDialog>
#include <QList>

class DirectoryBox;
class FileBox;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class clsDirectory;

class frmDirectory : public QDialog {
    Q_OBJECT
public:
    static constexpr char Caption[] = "Directory Selector";

    explicit frmDirectory(QWidget *parent = nullptr);

    // The directory chosen, ending in the separator; start exactly as given on Cancel.
    QString GetDirectory(const QString &start);
    // On OK the entry takes the directory, the patterns and the subdirectory flag (true);
    // on Cancel it stays as it was (false).
    bool GetAdvancedDirectory(clsDirectory &entry);
    // The file chosen, or an empty text on Cancel. With nameAllowed a name that is not listed
    // may be typed; filter is the file box's pattern list while the window is open.
    QString GetFile(const QString &path, bool nameAllowed, const QString &filter);

    // Moves the drive and directory boxes to dir (empty: where the directory box is). Where dir
    // cannot be opened they land on the nearest directory above it that can, and a message says
    // so. True when they landed on dir. A directory that does not exist is offered for creation
    // by the callers, before they come here.
    bool DoSetTo(const QString &dir);

    bool Cancelled() const { return cancelled; }
    // The directory the directory box shows, ending in the separator.
    QString ShownDirectory() const;

    // Cancel, Escape and the close box.
    void reject() override;

private:
    void BuildLayout();
    void ConnectControls();
    void SetDirStuff(bool advanced);
    void SetFileStuff(bool nameAllowed);
    void RefreshDrives();
    void ShowDriveOf(const QString &dir);
    bool DoGetDirectory(clsDirectory &entry, bool advanced);
    // Moves the boxes to dir, or the nearest directory above it that can be opened, silently.
    void SetNearest(const QString &dir);
    bool RunModal();

    void DriveChosen(int index);
    void DirectoryChanged(const QString &dir);
    void FileChosen();
    void ManualClick();
    void NewFolderClick();
    void TestPattClick();
    void OkClick();

    bool cancelled = false;
    bool fileMode = false;
    bool nameAllowed = false;
    bool patternInUse = false;
    QList<platform::Drive> drives;

    QLabel *lblDirSel = nullptr;
    QComboBox *drvDirSel = nullptr;
    DirectoryBox *dirDirSel = nullptr;
    QLabel *lblFileList = nullptr;
    FileBox *fileDirSel = nullptr;
    QLabel *lblPatt = nullptr;
    QLineEdit *txtPatt = nullptr;
    QCheckBox *chkIncSub = nullptr;
    QPushButton *cmdPattHelp = nullptr;
    QPushButton *cmdTestPatt = nullptr;
    QPushButton *cmdManual = nullptr;
    QPushButton *cmdNewFolder = nullptr;
    QPushButton *cmdOk = nullptr;
    QPushButton *cmdCancel = nullptr;
};
