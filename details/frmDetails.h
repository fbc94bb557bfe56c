#pragma once
// The details window: the whole backup history without touching a medium. By backup: pick a
// backup or one of its media and see the files it holds. By file: pick a file and see its
// versions. It reads the model and never changes it.

#include "filesearch.h"
#include "historyrows.h"

#include <QWidget>

#include <functional>
#include <vector>

class PlainRoster;
class QBoxLayout;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTimer;

class frmDetails : public QWidget {
    Q_OBJECT
public:
    static constexpr char Caption[] = "Details";
    static constexpr int PopDelayMs = 500;
    static constexpr int ProgressEvery = 1000;

    explicit frmDetails(QWidget *parent = nullptr);

    // Brings the window up when it is visible; otherwise sorts the files of the current model,
    // empties the search boxes, fills the view chosen and shows the window.
    void ShowForm();
    // Hides the window; whoever opened it hears of it through the hide.
    void HideForm();

    // What typing "quoxel" and the Help button open; nothing until they are given.
    void SetOpenDiagnostics(std::function<void()> open) { openDiagnostics = std::move(open); }
    void SetOpenHelp(std::function<void()> open) { openHelp = std::move(open); }

    bool ViewByBackup() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // A row of lstFiles: the file's place in the order and, by backup, the version shown.
    struct FileRow {
        int position;
        int version;
    };

    void BuildLayout();
    void ArrangeFrames();
    // Lines up the values of the frames that stand one above the other, once laid out.
    void LineUpValuesSoon();
    void LineUpDetails();
    void ConnectControls();

    void ShowFB();
    void PopFilesDelayed();
    void PopFilesNow();
    // Refills lstFiles from the search table, or with the copies of the chosen backup row.
    void PopulateFiles();
    // The rows one file gives: itself by file, its copies in the chosen backup row by backup.
    void AddFileRows(int position, const BackupRow *chosen);
    void FileSearchChanged(const QString &text);
    void BackupsClicked();
    void FilesClicked();
    void ShowBackupDetails(int backup);
    void ShowFileDetails(int file);
    void ShowFileBackupDetails(int file, int version);
    void FitFileCaptions();
    int FileAtRow(int row) const;

    // Controls, named as they are known to the user and the tests.
    QGroupBox *fraDisplayBy;
    QButtonGroup *optFilesBackups;
    QRadioButton *optView[2];
    QLabel *lblLastCap, *lblLast, *lblUsedCap, *lblUsed;
    QGroupBox *fraBackups;
    QListWidget *lstBackups;
    QGroupBox *fraBackupsSub;
    QLabel *lblBackupDetails;
    QLabel *lblNumberCap, *lblNumber, *lblDateCap, *lblDate, *lblFirstCap, *lblFirst;
    QLabel *lblNumCap, *lblNum, *lblMNameCap, *lblMName, *lblMSizeCap, *lblMSize;
    QLabel *lblWriteCap, *lblWrite, *lblFreshCap, *lblFresh;
    QGroupBox *fraFiles;
    PlainRoster *lstFiles;
    QGroupBox *fraFilesSub;
    QLabel *lblDirCap, *lblDir, *lblFileCap, *lblFile, *lblTimesCap, *lblTimes;
    QGroupBox *fraFilesBackups;
    QLabel *lblMediaCap, *lblMedia, *lblSizeCap, *lblSize, *lblSpannedCap, *lblSpanned;
    QLabel *lblSpanLengthCap, *lblSpanLength;
    QGroupBox *fraSearch;
    QLabel *lblSearchFile, *lblExt;
    QLineEdit *txtFile, *txtExt;
    QLabel *lblStars;
    QPushButton *cmdDone, *cmdHelp;
    QTimer *tmrPopFiles;
    QBoxLayout *frames;

    // Working state, rebuilt by ShowForm.
    FileSearch search;
    std::vector<FileRow> fileRows;
    QList<BackupRow> backupRows;  // by backup: the backups and their media
    std::vector<int> versionRows; // by file: the versions of the chosen file
    int shownFile = -1;           // by file: the file whose versions lstBackups lists
    QString dirText, fileText;    // full texts of lblDir and lblFile before fitting
    bool lineUpPending = false;
    bool populating = false;
    bool populateAgain = false;
    bool abandonFill = false; // the window was closed while the list filled

    std::function<void()> openDiagnostics;
    std::function<void()> openHelp;
};
