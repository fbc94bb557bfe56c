#include "frmAbout.h"

#include "appicon.h"
#include "version.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel *AddLabel(QWidget *parent, QVBoxLayout *layout, const char *name, const QString &text) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
    return label;
}

} // namespace

frmAbout::frmAbout() {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Quillons Pellmoor"));
    setWindowIcon(ProgramIcon());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 18);
    QLabel *product = AddLabel(this, layout, "lblProduct", QStringLiteral("Quillons Pellmoor"));
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    product->setFont(big);
    AddLabel(this, layout, "lblDescription",
             QStringLiteral("Backs up your files onto CDs, DVDs or a hard disk,\n"
                            "and restores any version of them."));
    auto *versionRow = new QHBoxLayout;
    versionRow->addStretch();
    auto *lblVersionCap = new QLabel(QStringLiteral("Version :"), this);
    lblVersionCap->setObjectName(QStringLiteral("lblVersionCap"));
    versionRow->addWidget(lblVersionCap);
    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    versionRow->addWidget(lblVersion);
    versionRow->addStretch();
    layout->addLayout(versionRow);
    AddLabel(this, layout, "lblAuthor", QStringLiteral("Written by Quillons Software"));
    AddLabel(this, layout, "lblContact", QStringLiteral("www.quillons.example"));
    auto *cmdOk = new QPushButton(QStringLiteral("OK"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setDefault(true);
    layout->addWidget(cmdOk, 0, Qt::AlignCenter);
    connect(cmdOk, &QPushButton::clicked, this, &QDialog::hide);
    adjustSize();
    setFixedSize(sizeHint());
}

void frmAbout::DoAbout(bool modal) {
    lblVersion->setText(QString::fromLatin1(ProgramVersion));
    if (modal) {
        exec();
    } else {
        show();
        raise();
    }
}
