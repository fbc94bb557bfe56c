// The controls of the help window and where they sit.
#include "frmHelp.h"

#include "WindowKeys.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

// 7008 by 8760 twips at 15 twips a pixel; Qt's pixels already follow the screen's scale.
constexpr int LoadWidth = 7008 / 15;
constexpr int LoadHeight = 8760 / 15;

} // namespace

void frmHelp::BuildLayout() {
    webHelp = new QTextBrowser(this);
    webHelp->setObjectName(QStringLiteral("webHelp"));
    webHelp->setOpenExternalLinks(true);
    txtHelp = new QPlainTextEdit(this);
    txtHelp->setObjectName(QStringLiteral("txtHelp"));
    txtHelp->setReadOnly(true);
    QFont fixed(QStringLiteral("Courier New"));
    // Where Courier New is not installed, any fixed-pitch face keeps the guide's columns.
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFixedPitch(true);
    txtHelp->setFont(fixed);

    sources = new QButtonGroup(this);
    sources->setObjectName(QStringLiteral("optIntExt"));
    for (int i = 0; i < 3; ++i) {
        optIntExt[i] = new QRadioButton(this);
        optIntExt[i]->setObjectName(QStringLiteral("optIntExt_%1").arg(i));
        sources->addButton(optIntExt[i], i);
    }
    optIntExt[Internal]->setText(QStringLiteral("Load Internal Help"));

    chkSticky = new QCheckBox(QStringLiteral("Sticky"), this);
    chkSticky->setObjectName(QStringLiteral("chkSticky"));
    lblSize = new QLabel(QStringLiteral("Text Size :"), this);
    lblSize->setObjectName(QStringLiteral("lblSize"));
    cmbSize = new QComboBox(this);
    cmbSize->setObjectName(QStringLiteral("cmbSize"));
    for (int size = 8; size <= 24; size += 2)
        cmbSize->addItem(QString::number(size));
    cmbSize->setCurrentIndex(3);
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);
    WindowKeys::Install(this, cmdClose);

    auto *controls = new QGridLayout;
    for (int i = 0; i < 3; ++i)
        controls->addWidget(optIntExt[i], i, 0);
    controls->setColumnStretch(0, 1);
    controls->addWidget(chkSticky, 0, 1, 1, 2);
    controls->addWidget(lblSize, 1, 1);
    controls->addWidget(cmbSize, 1, 2);
    controls->addWidget(cmdClose, 2, 1, 1, 2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(webHelp, 1);
    layout->addWidget(txtHelp, 1);
    layout->addLayout(controls);

    QSize load(LoadWidth, LoadHeight);
    if (const QScreen *s = screen())
        load = load.boundedTo(s->availableGeometry().size());
    setMinimumSize(load);
    resize(load);
}
