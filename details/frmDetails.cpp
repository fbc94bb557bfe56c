#include "frmDetails.h"

#include "LabelCaption.h"
#include "PlainRoster.h"
#include "WindowKeys.h"
#include "detailstext.h"
#include "doevents.h"
#include "fileorder.h"
#include "historyrows.h"
#include "listednames.h"
#include "model.h"
#include "modelchange.h"
#include "nicecaption.h"
#include "platform.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>

namespace {

constexpr char Quoxel[] = "quoxel";

QString Number(qint64 value) {
    return QString::number(value);
}

} // namespace

frmDetails::frmDetails(QWidget *parent) : QWidget(parent, Qt::Window) {
    BuildLayout();
    ConnectControls();
    // Enter and Escape are both Done.
    WindowKeys::Install(this, cmdDone);
    ShowBackupDetails(-1);
    ShowFileDetails(-1);
    ShowFileBackupDetails(-1, -1);
}

void frmDetails::ConnectControls() {
    // Its rows are positions into the model's lists; a run about to change them closes it.
    connect(&ModelChange::Instance(), &ModelChange::Changing, this, [this] {
        if (isVisible() || populating)
            HideForm();
    });
    connect(cmdDone, &QPushButton::clicked, this, &frmDetails::HideForm);
    connect(cmdHelp, &QPushButton::clicked, this, [this] {
        if (openHelp)
            openHelp();
    });
    connect(optFilesBackups, &QButtonGroup::idClicked, this, [this] { ShowFB(); });
    connect(lstBackups, &QListWidget::itemSelectionChanged, this, &frmDetails::BackupsClicked);
    connect(lstFiles, &PlainRoster::Click, this, &frmDetails::FilesClicked);
    connect(txtFile, &QLineEdit::textChanged, this, &frmDetails::FileSearchChanged);
    connect(txtExt, &QLineEdit::textChanged, this, &frmDetails::PopFilesDelayed);
    connect(tmrPopFiles, &QTimer::timeout, this, &frmDetails::PopFilesNow);
}

bool frmDetails::ViewByBackup() const {
    return optView[0]->isChecked();
}

void frmDetails::ShowForm() {
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    abandonFill = false;
    const Model &model = TheModel();
    search.Build(model, SortedFileOrder(model));
    {
        // Emptying the boxes is no search of the user's.
        const QSignalBlocker quietFile(txtFile);
        const QSignalBlocker quietExt(txtExt);
        txtFile->clear();
        txtExt->clear();
    }
    tmrPopFiles->stop();
    lblUsed->setText(model.MediaLast() < 0 ? QStringLiteral("None")
                                           : Number(model.MediaLast() + 1));
    lblLast->setText(LastBackupText(model));
    ShowFB();
    show();
    raise();
    activateWindow();
}

void frmDetails::HideForm() {
    tmrPopFiles->stop();
    // A fill under way stops: what opens next (a backup, a restore) may re-sort the model it
    // reads from. Opening the window again builds everything afresh.
    if (populating)
        abandonFill = true;
    hide();
}

void frmDetails::closeEvent(QCloseEvent *event) {
    event->ignore();
    HideForm();
}

void frmDetails::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    FitFileCaptions();
    LineUpValuesSoon();
}

void frmDetails::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    LineUpValuesSoon();
}

void frmDetails::ShowFB() {
    ArrangeFrames();
    {
        const QSignalBlocker quiet(lstBackups);
        lstBackups->clear();
    }
    backupRows.clear();
    versionRows.clear();
    shownFile = -1;
    ShowBackupDetails(-1);
    ShowFileDetails(-1);
    ShowFileBackupDetails(-1, -1);
    if (ViewByBackup()) {
        backupRows = BackupRows(TheModel());
        const QSignalBlocker quiet(lstBackups);
        for (const BackupRow &row : backupRows)
            lstBackups->addItem(row.text);
    }
    // By backup this empties the file list until a backup is chosen.
    PopFilesNow();
}

void frmDetails::FileSearchChanged(const QString &text) {
    if (text == QLatin1String(Quoxel)) {
        if (openDiagnostics)
            openDiagnostics();
        txtFile->clear();
    }
    PopFilesDelayed();
}

void frmDetails::PopFilesDelayed() {
    tmrPopFiles->start();
}

void frmDetails::PopFilesNow() {
    tmrPopFiles->stop();
    search.Apply(txtFile->text(), txtExt->text());
    PopulateFiles();
}

void frmDetails::PopulateFiles() {
    // Events run while the list fills; a second request then starts the fill over from the top
    // instead of running inside the first.
    if (populating) {
        populateAgain = true;
        return;
    }
    populating = true;
    do {
        populateAgain = false;
        fileRows.clear();
        lstFiles->Clear();
        const int backupRow = lstBackups->currentRow();
        const bool haveBackup = backupRow >= 0 && backupRow < backupRows.size();
        if (ViewByBackup() && !haveBackup)
            break;
        const BackupRow *chosen = ViewByBackup() ? &backupRows[backupRow] : nullptr;
        const int count = int(search.Entries().size());
        for (int position = 0; position < count; ++position) {
            if (position % ProgressEvery == 0) {
                setWindowTitle(QString::fromLatin1(Caption) + QStringLiteral(" - Populating ") +
                               Number(qint64(double(position) / count * 100)) + QLatin1Char('%'));
                DoEvents();
                // What was asked meanwhile may have rebuilt the table; the next round reads it.
                if (abandonFill)
                    populateAgain = false;
                if (populateAgain || abandonFill)
                    break;
            }
            if (search.Entries()[position].visible)
                AddFileRows(position, chosen);
        }
    } while (populateAgain);
    populating = false;
    setWindowTitle(QString::fromLatin1(Caption));
    if (abandonFill) {
        abandonFill = false;
        fileRows.clear();
        lstFiles->Clear();
        return;
    }
    if (ViewByBackup())
        return;
    // By file the first file is chosen at once, so its versions show without a click.
    lstFiles->SetListIndex(-1);
    if (lstFiles->ListCount() > 0)
        lstFiles->SetListIndex(0);
    else
        FilesClicked();
}

void frmDetails::AddFileRows(int position, const BackupRow *chosen) {
    const SearchEntry &entry = search.Entries()[position];
    const FileRecord &file = TheModel().Files[entry.file];
    const QString name = ListedName(file, entry.sharedName);
    const auto add = [this, position](int version, const QString &text) {
        fileRows.push_back({position, version});
        lstFiles->AddItem(Number(qint64(fileRows.size())) + QStringLiteral(". ") + text);
    };
    if (!chosen) {
        add(-1, name);
        return;
    }
    for (int v = 0; v <= file.VersionsLast(); ++v) {
        const VersionRecord &version = file.Versions[v];
        if (version.BackupIndex == chosen->backup &&
            (chosen->medium < 0 || version.MediumIndex == chosen->medium))
            add(v, BackupFileText(file, v, name));
    }
}

int frmDetails::FileAtRow(int row) const {
    if (row < 0 || row >= int(fileRows.size()))
        return -1;
    return search.Entries()[fileRows[row].position].file;
}

void frmDetails::BackupsClicked() {
    const int row = lstBackups->currentRow();
    if (ViewByBackup()) {
        const bool chosen = row >= 0 && row < backupRows.size();
        ShowBackupDetails(chosen ? backupRows[row].backup : -1);
        ShowFileDetails(-1);
        ShowFileBackupDetails(-1, -1);
        search.Apply(txtFile->text(), txtExt->text());
        PopulateFiles();
        return;
    }
    const bool chosen = shownFile >= 0 && row >= 0 && row < int(versionRows.size());
    const int version = chosen ? versionRows[row] : -1;
    ShowBackupDetails(chosen ? TheModel().Files[shownFile].Versions[version].BackupIndex : -1);
    ShowFileBackupDetails(chosen ? shownFile : -1, version);
}

void frmDetails::FilesClicked() {
    if (populating)
        return;
    const int row = lstFiles->ListIndex();
    const int file = FileAtRow(row);
    ShowFileDetails(file);
    if (ViewByBackup()) {
        ShowFileBackupDetails(file, file < 0 ? -1 : fileRows[row].version);
        return;
    }
    shownFile = file;
    versionRows.clear();
    ShowBackupDetails(-1);
    ShowFileBackupDetails(-1, -1);
    const QSignalBlocker quiet(lstBackups);
    lstBackups->clear();
    if (file < 0)
        return;
    const FileRecord &record = TheModel().Files[file];
    for (int v = 0; v <= record.VersionsLast(); ++v) {
        versionRows.push_back(v);
        lstBackups->addItem(VersionRowText(TheModel(), record, v));
    }
}

void frmDetails::ShowBackupDetails(int backup) {
    const BackupDetailTexts texts = BackupDetails(backup);
    lblNumber->setText(texts.number);
    lblDate->setText(texts.date);
    lblFirst->setText(texts.first);
    lblMName->setText(texts.mediaName);
    lblNum->setText(texts.count);
    lblMSize->setText(texts.mediaSize);
    lblWrite->setText(texts.writeMethod);
    lblFresh->setText(texts.fresh);
    lblFirstCap->setText(texts.firstCaption);
    lblNumCap->setText(texts.countCaption);
    // The captions name the medium, and so change width.
    LineUpValuesSoon();
}

void frmDetails::ShowFileDetails(int file) {
    const bool known = file >= 0 && file <= TheModel().FilesLast();
    const QString none = QString::fromLatin1(NoDetail);
    const FileRecord *record = known ? &TheModel().Files[file] : nullptr;
    dirText = record ? record->Path : none;
    fileText = record ? record->Name : none;
    lblTimes->setText(record ? Number(record->VersionsLast() + 1) : none);
    FitFileCaptions();
}

void frmDetails::FitFileCaptions() {
    const QString separators = platform::SeparatorString() + QLatin1Char('.');
    LabelCaption dir(lblDir);
    NiceCaption(&dir, dirText, separators, 2);
    LabelCaption name(lblFile);
    NiceCaption(&name, fileText, separators, 1);
}

void frmDetails::ShowFileBackupDetails(int file, int version) {
    const bool known = file >= 0 && file <= TheModel().FilesLast();
    const FileBackupTexts texts =
        FileBackupDetails(known ? &TheModel().Files[file] : nullptr, version);
    lblMedia->setText(texts.media);
    lblSize->setText(texts.size);
    lblSpanned->setText(texts.spanned);
    lblSpanLength->setText(texts.spanLength);
}
