// The details window's controls and how they sit: the view choice and totals on top, the
// backups and files frames side by side (swapped with the view), then the file-and-backup
// details, the search boxes, the note on the marks and the buttons.
#include "frmDetails.h"

#include "PlainRoster.h"
#include "namedwidgets.h"
#include "valuecolumns.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// A caption and its value in the next column of a details grid.
void AddPair(QGridLayout *grid, QLabel *caption, QLabel *value) {
    const int row = grid->rowCount();
    grid->addWidget(caption, row, 0, Qt::AlignTop);
    grid->addWidget(value, row, 1, Qt::AlignTop);
}

// The controls of a list that take the focus (a list control has its strip of tabs as well), in
// the order Tab reaches them now.
QList<QWidget *> StopsWithin(QWidget *control) {
    QList<QWidget *> stops;
    if (control->focusPolicy() != Qt::NoFocus)
        stops.append(control);
    for (QWidget *next = control->nextInFocusChain(); next != control;
         next = next->nextInFocusChain()) {
        if (control->isAncestorOf(next) && next->focusPolicy() != Qt::NoFocus)
            stops.append(next);
    }
    return stops;
}

QGridLayout *DetailsGrid(QGroupBox *frame) {
    auto *grid = new QGridLayout(frame);
    grid->setColumnStretch(1, 1);
    return grid;
}

} // namespace

void frmDetails::BuildLayout() {
    setObjectName(QStringLiteral("frmDetails"));
    setWindowTitle(QString::fromLatin1(Caption));

    fraDisplayBy = Named(new QGroupBox(this), "fraDisplayBy");
    optFilesBackups = Named(new QButtonGroup(this), "optFilesBackups");
    const char *viewCaptions[2] = {"View File Details By Backup", "View Backup Details By File"};
    auto *displayBy = new QVBoxLayout(fraDisplayBy);
    for (int i = 0; i < 2; ++i) {
        optView[i] = new QRadioButton(QString::fromLatin1(viewCaptions[i]), fraDisplayBy);
        optView[i]->setObjectName(QStringLiteral("optFilesBackups_%1").arg(i));
        optFilesBackups->addButton(optView[i], i);
        displayBy->addWidget(optView[i]);
    }
    optView[0]->setChecked(true);

    lblLastCap = Label(this, "lblLastCap", "Last Backup :");
    lblLast = Label(this, "lblLast");
    lblUsedCap = Label(this, "lblUsedCap", "Total Media Used :");
    lblUsed = Label(this, "lblUsed");
    auto *totals = new QGridLayout;
    totals->addWidget(lblLastCap, 0, 0);
    totals->addWidget(lblLast, 0, 1);
    totals->addWidget(lblUsedCap, 1, 0);
    totals->addWidget(lblUsed, 1, 1);
    totals->setColumnStretch(1, 1);

    fraBackups = Named(new QGroupBox(QStringLiteral("Backups"), this), "fraBackups");
    lstBackups = Named(new QListWidget(fraBackups), "lstBackups");
    fraBackupsSub = Named(new QGroupBox(fraBackups), "fraBackupsSub");
    lblBackupDetails = Label(fraBackupsSub, "lblBackupDetails", "Backup Details :");
    auto *backupGrid = DetailsGrid(fraBackupsSub);
    backupGrid->addWidget(lblBackupDetails, 0, 0, 1, 2);
    const auto backupPair = [&](QLabel *&cap, QLabel *&value, const char *capName,
                                const char *caption, const char *valueName) {
        cap = Label(fraBackupsSub, capName, caption);
        value = Label(fraBackupsSub, valueName);
        AddPair(backupGrid, cap, value);
    };
    backupPair(lblNumberCap, lblNumber, "lblNumberCap", "Set Number :", "lblNumber");
    backupPair(lblDateCap, lblDate, "lblDateCap", "Set Date :", "lblDate");
    backupPair(lblFirstCap, lblFirst, "lblFirstCap", "First Media :", "lblFirst");
    backupPair(lblNumCap, lblNum, "lblNumCap", "Number Of Media Used :", "lblNum");
    backupPair(lblMNameCap, lblMName, "lblMNameCap", "Media Name :", "lblMName");
    backupPair(lblMSizeCap, lblMSize, "lblMSizeCap", "Media Size :", "lblMSize");
    backupPair(lblWriteCap, lblWrite, "lblWriteCap", "Write Method :", "lblWrite");
    backupPair(lblFreshCap, lblFresh, "lblFreshCap", "Fresh Backup Point :", "lblFresh");
    auto *backupsColumn = new QVBoxLayout(fraBackups);
    backupsColumn->addWidget(lstBackups, 1);
    backupsColumn->addWidget(fraBackupsSub);

    fraFiles = Named(new QGroupBox(QStringLiteral("Files"), this), "fraFiles");
    lstFiles = Named(new PlainRoster(fraFiles), "lstFiles");
    // A shared name is told apart by the end of its folder: a long row loses its middle.
    lstFiles->findChild<QListView *>(QStringLiteral("lstDisplay"))
        ->setTextElideMode(Qt::ElideMiddle);
    fraFilesSub = Named(new QGroupBox(fraFiles), "fraFilesSub");
    auto *fileGrid = DetailsGrid(fraFilesSub);
    lblDirCap = Label(fraFilesSub, "lblDirCap", "Directory :");
    lblDir = Label(fraFilesSub, "lblDir");
    lblFileCap = Label(fraFilesSub, "lblFileCap", "File :");
    lblFile = Label(fraFilesSub, "lblFile");
    lblTimesCap = Label(fraFilesSub, "lblTimesCap", "Times Backed Up :");
    lblTimes = Label(fraFilesSub, "lblTimes");
    // Paths are fitted to the width the frame gives them, never the other way round.
    for (QLabel *fitted : {lblDir, lblFile}) {
        fitted->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        fitted->setMinimumWidth(fontMetrics().averageCharWidth() * 12);
    }
    lblDir->setMinimumHeight(fontMetrics().lineSpacing() * 2);
    AddPair(fileGrid, lblDirCap, lblDir);
    AddPair(fileGrid, lblFileCap, lblFile);
    AddPair(fileGrid, lblTimesCap, lblTimes);
    auto *filesColumn = new QVBoxLayout(fraFiles);
    filesColumn->addWidget(lstFiles, 1);
    filesColumn->addWidget(fraFilesSub);

    // Doubled, as a group box title shows one ampersand for two.
    fraFilesBackups =
        Named(new QGroupBox(QStringLiteral("File && Backup"), this), "fraFilesBackups");
    auto *fileBackupGrid = DetailsGrid(fraFilesBackups);
    const auto fileBackupPair = [&](QLabel *&cap, QLabel *&value, const char *capName,
                                    const char *caption, const char *valueName) {
        cap = Label(fraFilesBackups, capName, caption);
        value = Label(fraFilesBackups, valueName);
        AddPair(fileBackupGrid, cap, value);
    };
    fileBackupPair(lblMediaCap, lblMedia, "lblMediaCap", "On Media Number :", "lblMedia");
    fileBackupPair(lblSizeCap, lblSize, "lblSizeCap", "Size :", "lblSize");
    fileBackupPair(lblSpannedCap, lblSpanned, "lblSpannedCap", "Spanned :", "lblSpanned");
    fileBackupPair(lblSpanLengthCap, lblSpanLength, "lblSpanLengthCap",
                   "No. of Media Spanned :", "lblSpanLength");

    fraSearch = Named(new QGroupBox(QStringLiteral("Search :"), this), "fraSearch");
    lblSearchFile = Label(fraSearch, "lblSearchFile", "File Name Contains :");
    txtFile = Named(new QLineEdit(fraSearch), "txtFile");
    lblExt = Label(fraSearch, "lblExt", "Extension Contains :");
    txtExt = Named(new QLineEdit(fraSearch), "txtExt");
    auto *searchGrid = new QFormLayout(fraSearch);
    searchGrid->addRow(lblSearchFile, txtFile);
    searchGrid->addRow(lblExt, txtExt);

    lblStars = Label(this, "lblStars",
                     "*'s usually mean that one or more of the media that are part of a "
                     "backup/file have been marked as unavailable.");
    lblStars->setWordWrap(true);
    cmdHelp = Named(new QPushButton(QStringLiteral("Help"), this), "cmdHelp");
    cmdDone = Named(new QPushButton(QStringLiteral("Done"), this), "cmdDone");
    cmdDone->setDefault(true);

    tmrPopFiles = Named(new QTimer(this), "tmrPopFiles");
    tmrPopFiles->setSingleShot(true);
    tmrPopFiles->setInterval(PopDelayMs);

    auto *top = new QHBoxLayout;
    top->addWidget(fraDisplayBy);
    top->addLayout(totals, 1);
    frames = new QHBoxLayout;
    auto *lower = new QHBoxLayout;
    lower->addWidget(fraFilesBackups, 1);
    lower->addWidget(fraSearch, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(lblStars, 1);
    buttons->addWidget(cmdHelp, 0, Qt::AlignBottom);
    buttons->addWidget(cmdDone, 0, Qt::AlignBottom);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(frames, 1);
    layout->addLayout(lower);
    layout->addLayout(buttons);
    ArrangeFrames();
    // Room for long lists, but never more than the screen holds.
    QSize size(960, 700);
    if (const QScreen *shown = screen())
        size = size.boundedTo(shown->availableSize());
    resize(size.expandedTo(minimumSizeHint()));
}

// The frame the user picks from comes first: backups by backup, files by file.
void frmDetails::ArrangeFrames() {
    frames->removeWidget(fraBackups);
    frames->removeWidget(fraFiles);
    const bool byBackup = ViewByBackup();
    frames->addWidget(byBackup ? fraBackups : fraFiles, 1);
    frames->addWidget(byBackup ? fraFiles : fraBackups, 1);
    // Tab follows the frames as they now stand, left to right.
    QWidget *left = byBackup ? static_cast<QWidget *>(lstBackups) : lstFiles;
    QWidget *right = byBackup ? static_cast<QWidget *>(lstFiles) : lstBackups;
    QWidget *previous = optView[1];
    for (QWidget *stop : StopsWithin(left) + StopsWithin(right) + QList<QWidget *>{txtFile}) {
        setTabOrder(previous, stop);
        previous = stop;
    }
    LineUpValuesSoon();
}

void frmDetails::LineUpValuesSoon() {
    // Once the layout has placed the frames: their margins decide where the captions start.
    if (lineUpPending)
        return;
    lineUpPending = true;
    QMetaObject::invokeMethod(this, &frmDetails::LineUpDetails, Qt::QueuedConnection);
}

void frmDetails::LineUpDetails() {
    lineUpPending = false;
    if (!isVisible())
        return;
    // Measured where the layouts put things now, outermost first, not where they were.
    for (QWidget *area :
         {static_cast<QWidget *>(this), static_cast<QWidget *>(fraBackups),
          static_cast<QWidget *>(fraFiles), static_cast<QWidget *>(fraBackupsSub),
          static_cast<QWidget *>(fraFilesSub), static_cast<QWidget *>(fraFilesBackups),
          static_cast<QWidget *>(fraSearch)})
        area->layout()->activate();
    const CaptionColumn backup{{lblNumberCap, lblDateCap, lblFirstCap, lblNumCap, lblMNameCap,
                                lblMSizeCap, lblWriteCap, lblFreshCap},
                               lblNumber};
    const CaptionColumn file{{lblDirCap, lblFileCap, lblTimesCap}, lblDir};
    const CaptionColumn fileBackup{{lblMediaCap, lblSizeCap, lblSpannedCap, lblSpanLengthCap},
                                   lblMedia};
    const CaptionColumn searching{{lblSearchFile, lblExt}, txtFile};
    // The frame above File & Backup is the one on the left, which the view decides.
    const bool byBackup = ViewByBackup();
    LineUpValues(this, {byBackup ? backup : file, fileBackup});
    LineUpValues(this, {byBackup ? file : backup, searching});
}
