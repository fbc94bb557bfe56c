#include "frmQuoxel.h"

#include "WindowKeys.h"
#include "model.h"
#include "namedwidgets.h"
#include "statistics.h"
#include "statuslog.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

frmQuoxel::frmQuoxel(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmQuoxel"));
    setWindowTitle(QStringLiteral("Diagnostics"));
    BuildLayout();

    StatusLog &log = StatusLog::Instance();
    // A hidden window does not lay out text nobody sees; showing it catches up.
    connect(&log, &StatusLog::Printed, this, [this] {
        if (isVisible())
            ShowLog();
    });
    connect(&log, &StatusLog::Cleared, txtStatus, &QPlainTextEdit::clear);
    connect(cmdStats, &QPushButton::clicked, this, &frmQuoxel::WorkOutStats);
    connect(cmdForce, &QPushButton::clicked, this, [this] {
        if (forceUpdate)
            forceUpdate();
    });
    connect(cmdClear, &QPushButton::clicked, this, [] { StatusLog::Instance().Clear(); });
    connect(cmdClose, &QPushButton::clicked, this, &frmQuoxel::HideForm);
}

void frmQuoxel::BuildLayout() {
    lblStatus = Label(this, "lblStatus", "Status Print :");
    txtStatus = Named(new QPlainTextEdit(this), "txtStatus");
    txtStatus->setReadOnly(true);
    txtStatus->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The statistics line up their colons; only a fixed-pitch font keeps them lined up.
    txtStatus->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    cmdStats = Button(this, "cmdStats", "Work Out Stats");
    cmdForce = Button(this, "cmdForce", "Force Update");
    cmdForce->setEnabled(false);
    cmdClear = Button(this, "cmdClear", "Clear");
    cmdClose = Button(this, "cmdClose", "Close");
    cmdClose->setDefault(true);
    WindowKeys::Install(this, cmdClose);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdStats);
    buttons->addWidget(cmdForce);
    buttons->addStretch();
    buttons->addWidget(cmdClear);
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblStatus);
    layout->addWidget(txtStatus, 1);
    layout->addLayout(buttons);
    resize(640, 480);
}

void frmQuoxel::ShowForm() {
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    show();
}

void frmQuoxel::SetForceUpdateAction(std::function<void()> action) {
    forceUpdate = std::move(action);
    cmdForce->setEnabled(bool(forceUpdate));
}

void frmQuoxel::WorkOutStats() {
    StatusPrint(StatisticsReport(WorkOutStatistics(TheModel())), true);
}

void frmQuoxel::showEvent(QShowEvent *event) {
    ShowLog();
    QWidget::showEvent(event);
}

void frmQuoxel::ShowLog() {
    // The log keeps CR LF; the text box breaks lines on LF alone.
    QString text = StatusLog::Instance().Text();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    txtStatus->setPlainText(text);
    txtStatus->moveCursor(QTextCursor::End);
    txtStatus->ensureCursorVisible();
    txtStatus->horizontalScrollBar()->setValue(0);
}
