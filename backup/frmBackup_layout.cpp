// The wizard's controls and their arrangement.
#include "frmBackup.h"

#include "BackupProgress.h"
#include "ListWidgetRows.h"
#include "mediumtypes.h"
#include "namedwidgets.h"
#include "prompt.h"
#include "selectors.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

QString Latin(const char *text) {
    return QString::fromLatin1(text);
}

QPushButton *MakeButton(QWidget *parent, const char *name, const char *caption,
                        const char *toolTip = nullptr) {
    auto *button = Named(new QPushButton(Latin(caption), parent), Latin(name));
    if (toolTip)
        button->setToolTip(Latin(toolTip));
    return button;
}

QCheckBox *MakeCheck(QWidget *parent, QVBoxLayout *layout, const char *name, const char *caption) {
    auto *box = Named(new QCheckBox(Latin(caption), parent), Latin(name));
    layout->addWidget(box);
    return box;
}

QListWidget *MakeList(QWidget *parent, const char *name) {
    auto *list = Named(new QListWidget(parent), Latin(name));
    list->setSelectionMode(QAbstractItemView::MultiSelection);
    list->setUniformItemSizes(true);
    return list;
}

constexpr const char *StepCaptions[frmBackup::StepCount] = {
    "Step 1 : Choose Backup Medium",
    "Step 2 : Choose Directories To Backup",
    "Step 3 : Choose 'Include All' Pattern To Include",
    "Step 4 : Start Backup",
    "Step 5 : Backing Up ...",
    "Step 6 : Finished!",
};

constexpr const char *WriteCaptions[] = {"Write media one by one", "Write media all at once",
                                         "Write media the XP way"};

} // namespace

void frmBackup::BuildLayout() {
    setObjectName(QStringLiteral("frmBackup"));
    setWindowTitle(Latin(Caption));
    auto *layout = new QVBoxLayout(this);
    steps = Named(new QStackedWidget(this), QStringLiteral("steps"));
    QWidget *(frmBackup::*builders[StepCount])() = {
        &frmBackup::BuildMediumStep,  &frmBackup::BuildDirectoryStep,
        &frmBackup::BuildPatternStep, &frmBackup::BuildOptionsStep,
        &frmBackup::BuildRunStep,     &frmBackup::BuildFinishedStep};
    for (int i = 0; i < StepCount; ++i) {
        fraBackup[i] = Named(new QGroupBox(Latin(StepCaptions[i]), steps),
                             QStringLiteral("fraBackup%1").arg(i));
        auto *frameLayout = new QVBoxLayout(fraBackup[i]);
        frameLayout->addWidget((this->*builders[i])());
        steps->addWidget(fraBackup[i]);
    }
    layout->addWidget(steps, 1);

    auto *buttons = new QHBoxLayout();
    cmdHelp = MakeButton(this, "cmdHelp", "Help");
    cmdBack = MakeButton(this, "cmdBack", "Back", "Move to the previous stage of the backup");
    cmdNext = MakeButton(this, "cmdNext", "Next", "Move to the next stage in the backup");
    cmdCancel = MakeButton(this, "cmdCancel", "Cancel", "Cancel this backup");
    // Enter moves on, as Next and Finish do.
    cmdNext->setDefault(true);
    buttons->addWidget(cmdHelp);
    buttons->addStretch(1);
    buttons->addWidget(cmdBack);
    buttons->addWidget(cmdNext);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);
}

QWidget *frmBackup::BuildMediumStep() {
    auto *page = new QWidget();
    auto *layout = new QHBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *fraMedia =
        Named(new QGroupBox(QStringLiteral("Media Type"), page), QStringLiteral("fraMedia"));
    auto *mediaLayout = new QVBoxLayout(fraMedia);
    optMedium = new QButtonGroup(this);
    for (int i = 0; i < MediumTypeCount; ++i) {
        auto *option = Named(new QRadioButton(Latin(MediumTypeAt(i).caption), fraMedia),
                             QStringLiteral("optMedium%1").arg(i));
        optMedium->addButton(option, i);
        mediaLayout->addWidget(option);
    }
    // The frame keeps the height of its options; a taller window grows the space below it.
    auto *left = new QVBoxLayout();
    left->addWidget(fraMedia);
    left->addStretch(1);
    layout->addLayout(left);

    auto *right = new QVBoxLayout();
    fraCustom =
        Named(new QGroupBox(QStringLiteral("Custom Media"), page), QStringLiteral("fraCustom"));
    auto *grid = new QGridLayout(fraCustom);
    txtSize = Named(new QLineEdit(fraCustom), QStringLiteral("txtSize"));
    cmbSize = Named(new QComboBox(fraCustom), QStringLiteral("cmbSize"));
    cmbSize->addItems({QStringLiteral("MB"), QStringLiteral("GB")});
    txtName = Named(new QLineEdit(fraCustom), QStringLiteral("txtName"));
    txtCluster = Named(new QLineEdit(fraCustom), QStringLiteral("txtCluster"));
    grid->addWidget(Named(new QLabel(QStringLiteral("Size :"), fraCustom), "lblSize"), 0, 0);
    grid->addWidget(txtSize, 0, 1);
    grid->addWidget(cmbSize, 0, 2);
    grid->addWidget(Named(new QLabel(QStringLiteral("Name :"), fraCustom), "lblName"), 1, 0);
    grid->addWidget(txtName, 1, 1, 1, 2);
    grid->addWidget(Named(new QLabel(QStringLiteral("Cluster Size :"), fraCustom), "lblClusterCap"),
                    2, 0);
    grid->addWidget(txtCluster, 2, 1);
    grid->addWidget(Named(new QLabel(QStringLiteral("B"), fraCustom), "lblClusterB"), 2, 2);
    right->addWidget(fraCustom);

    fraWrite =
        Named(new QGroupBox(QStringLiteral("Write Method"), page), QStringLiteral("fraWrite"));
    auto *writeLayout = new QVBoxLayout(fraWrite);
    optType = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto *option = Named(new QRadioButton(Latin(WriteCaptions[i]), fraWrite),
                             QStringLiteral("optType%1").arg(i));
        optType->addButton(option, i);
        writeLayout->addWidget(option);
    }
    right->addWidget(fraWrite);
    right->addStretch(1);
    layout->addLayout(right, 1);
    return page;
}

QHBoxLayout *frmBackup::BuildSelectionButtons(QWidget *parent, QListWidget *list,
                                              const std::array<const char *, 4> &names,
                                              const QString &emptyMessage) {
    auto *row = new QHBoxLayout();
    QPushButton *selAll = MakeButton(parent, names[0], "Select All");
    QPushButton *deselAll = MakeButton(parent, names[1], "Deselect All");
    QPushButton *invert = MakeButton(parent, names[2], "Invert All");
    QPushButton *range = MakeButton(parent, names[3], "Range Selection ...");
    for (QPushButton *button : {selAll, deselAll, invert, range})
        row->addWidget(button);
    row->addStretch(1);
    const auto forEachRow = [list](auto change) {
        for (int i = 0; i < list->count(); ++i)
            list->item(i)->setSelected(change(list->item(i)->isSelected()));
    };
    connect(selAll, &QPushButton::clicked, list,
            [forEachRow] { forEachRow([](bool) { return true; }); });
    connect(deselAll, &QPushButton::clicked, list,
            [forEachRow] { forEachRow([](bool) { return false; }); });
    connect(invert, &QPushButton::clicked, list,
            [forEachRow] { forEachRow([](bool selected) { return !selected; }); });
    connect(range, &QPushButton::clicked, list, [list, emptyMessage] {
        if (list->count() == 0) {
            MsgBox(emptyMessage, MsgButtons::OK);
            return;
        }
        ListWidgetRows rows(list);
        ShowRange(rows);
    });
    return row;
}

QWidget *frmBackup::BuildDirectoryStep() {
    auto *page = new QWidget();
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    lstDirectories = MakeList(page, "lstDirectories");
    layout->addWidget(lstDirectories, 1);
    layout->addLayout(BuildSelectionButtons(
        page, lstDirectories, {"cmdSelAllDir", "cmdDeSelAllDir", "cmdInvSelDir", "cmdRangeDir"},
        QStringLiteral("You cannot select a range when there are no directories to select!")));
    return page;
}

QWidget *frmBackup::BuildPatternStep() {
    auto *page = new QWidget();
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    lstPatterns = MakeList(page, "lstPatterns");
    layout->addWidget(lstPatterns, 1);
    layout->addLayout(BuildSelectionButtons(
        page, lstPatterns, {"cmdSelAllPatt", "cmdDeselAllPatt", "cmdInvSelPatt", "cmdSelRangePatt"},
        QStringLiteral("You cannot select a range when there are no patterns to select!")));
    return page;
}

QWidget *frmBackup::BuildOptionsStep() {
    auto *page = new QWidget();
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    chkZip = MakeCheck(page, layout, "chkZip",
                       "Zip files to save space on the backup media (see help for more info)");
    chkDontZip = MakeCheck(page, layout, "chkDontZip", "Dont Zip Files That Wont Zip Well");
    chkForceZip = MakeCheck(page, layout, "chkForceZip", "Force Zipping");
    chkFresh = MakeCheck(page, layout, "chkFresh",
                         "Force all files to be backed up (creates a fresh backup point)");
    chkSkip = MakeCheck(page, layout, "chkSkip", "Skip Zip && Copy");
    // The two zip refinements sit under the box they refine.
    chkDontZip->setContentsMargins(24, 0, 0, 0);
    chkForceZip->setContentsMargins(24, 0, 0, 0);
    layout->addStretch(1);
    return page;
}

QWidget *frmBackup::BuildRunStep() {
    progress = new BackupProgress();
    return progress;
}

QWidget *frmBackup::BuildFinishedStep() {
    auto *page = new QWidget();
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *fraZip =
        Named(new QGroupBox(QStringLiteral("Zip Statistics"), page), QStringLiteral("fraZip"));
    auto *grid = new QGridLayout(fraZip);
    grid->addWidget(new QLabel(QStringLiteral("Zipped Files :"), fraZip), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("All Files :"), fraZip), 0, 2);
    const char *rows[] = {"Number :", "Original Size :", "Final Size :", "% Saved :"};
    for (int row = 0; row < 4; ++row) {
        grid->addWidget(new QLabel(Latin(rows[row]), fraZip), row + 1, 0);
        for (int column = 0; column < 2; ++column) {
            QLabel *&figure = zipFigures[row * 2 + column];
            figure =
                Named(new QLabel(fraZip), QStringLiteral("lblZipStat%1").arg(row * 2 + column));
            grid->addWidget(figure, row + 1, column + 1);
        }
    }
    grid->setHorizontalSpacing(fraZip->fontMetrics().horizontalAdvance(QStringLiteral("MMM")));
    grid->setColumnStretch(3, 1);
    layout->addWidget(fraZip);
    auto *finished = Named(new QLabel(QStringLiteral("Backup has finished!"), page),
                           QStringLiteral("lblFinished"));
    auto *copyNow =
        Named(new QLabel(QStringLiteral("You now need to copy the files from your hard drive onto "
                                        "whichever type of removable media you specified earlier."),
                         page),
              QStringLiteral("lblCopyNow"));
    copyNow->setWordWrap(true);
    // What the run did, beside the words that it finished.
    lblSummary = Named(new QLabel(page), QStringLiteral("lblSummary"));
    lblSummary->setWordWrap(true);
    lblSummary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(finished);
    layout->addWidget(lblSummary);
    layout->addWidget(copyNow);
    layout->addStretch(1);
    return page;
}
