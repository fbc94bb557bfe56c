#include "frmPattern.h"

#include "namedwidgets.h"
#include "patterns.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmPattern::frmPattern(QWidget *parent) : QDialog(parent) {
    BuildLayout();
    connect(cmdTestPatt, &QPushButton::clicked, this, &frmPattern::TestPattClick);
    connect(cmdPattHelp, &QPushButton::clicked, this, [] { ShowPatternHelp(); });
    connect(cmdOk, &QPushButton::clicked, this, &frmPattern::OkClick);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPattern::reject);
}

void frmPattern::BuildLayout() {
    setObjectName(QStringLiteral("frmPattern"));
    setWindowTitle(QString::fromLatin1(Caption));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    lblPatt = Label(this, "lblPatt", "New Pattern :");
    txtPatt = Named(new QLineEdit(this), "txtPatt");
    txtPatt->setMinimumWidth(txtPatt->fontMetrics().averageCharWidth() * 40);
    lblPatt->setBuddy(txtPatt);
    cmdTestPatt = Button(this, "cmdTestPatt", "Test Pattern");
    cmdPattHelp = Button(this, "cmdPattHelp", "Pattern Help");
    cmdOk = Button(this, "cmdOk", "OK");
    cmdCancel = Button(this, "cmdCancel", "Cancel");
    // Enter in the pattern box is OK.
    cmdOk->setDefault(true);

    auto *pattern = new QHBoxLayout;
    pattern->addWidget(lblPatt);
    pattern->addWidget(txtPatt, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdTestPatt);
    buttons->addWidget(cmdPattHelp);
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(pattern);
    layout->addSpacing(6);
    layout->addLayout(buttons);
}

QString frmPattern::GetPattern(const QString &pattern) {
    txtPatt->setText(pattern);
    txtPatt->selectAll();
    txtPatt->setFocus();
    cancelled = false;
    exec();
    return cancelled ? QString() : txtPatt->text();
}

void frmPattern::reject() {
    cancelled = true;
    QDialog::reject();
}

void frmPattern::TestPattClick() {
    if (txtPatt->text().isEmpty())
        return;
    const QString valid = ValidatePattern(txtPatt->text(), true, true);
    if (!valid.isEmpty())
        txtPatt->setText(valid);
}

void frmPattern::OkClick() {
    // An empty text is the answer "no pattern"; only a text needs to be a valid one.
    if (!txtPatt->text().isEmpty()) {
        const QString valid = ValidatePattern(txtPatt->text(), true, false);
        if (valid.isEmpty())
            return;
        txtPatt->setText(valid);
    }
    accept();
}
