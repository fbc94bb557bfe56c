#include "frmHelp.h"

#include "internalhelp.h"
#include "platform.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>
#include <QUrl>

namespace {

const QString HtmlName = QStringLiteral("!Help.Htm");
const QString TextName = QStringLiteral("!Help.txt");

QString Quoted(const QString &name) {
    return QLatin1Char('"') + name + QLatin1Char('"');
}

} // namespace

frmHelp::frmHelp(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Help"));
    BuildLayout();
    SetTextSize();
    connect(chkSticky, &QCheckBox::clicked, this, &frmHelp::SetSticky);
    connect(sources, &QButtonGroup::idClicked, this, &frmHelp::SetHelp);
    connect(cmbSize, &QComboBox::currentIndexChanged, this, &frmHelp::SetTextSize);
    connect(cmdClose, &QPushButton::clicked, this, &frmHelp::HideForm);
}

QString frmHelp::HtmlHelpPath() {
    return platform::ProgramDirectory() + HtmlName;
}

QString frmHelp::TextHelpPath() {
    return platform::ProgramDirectory() + TextName;
}

void frmHelp::SetOpenDiagnostics(std::function<void()> open) {
    openDiagnostics = std::move(open);
}

void frmHelp::ShowForm() {
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    SetSticky();
    OfferFile(optIntExt[HtmlFile], HtmlName, HtmlHelpPath());
    OfferFile(optIntExt[TextFile], TextName, TextHelpPath());
    for (QRadioButton *option : optIntExt)
        if (option->isEnabled()) {
            option->setChecked(true);
            break;
        }
    SetHelp();
    show();
}

void frmHelp::OfferFile(QRadioButton *option, const QString &name, const QString &path) {
    const bool present = QFile::exists(path);
    option->setEnabled(present);
    option->setText(present ? QStringLiteral("Load ") + Quoted(name)
                            : Quoted(name) + QStringLiteral(" Not Found"));
}

void frmHelp::SetSticky() {
    const bool sticky = chkSticky->isChecked();
    if (bool(windowFlags() & Qt::WindowStaysOnTopHint) == sticky)
        return;
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, sticky);
    // Changing a window's flags hides it; a sticky window is one the user still sees.
    if (shown)
        show();
}

void frmHelp::SetHelp() {
    const int source = sources->checkedId();
    webHelp->setVisible(source == HtmlFile);
    txtHelp->setVisible(source != HtmlFile);
    if (source == HtmlFile) {
        webHelp->setSource(QUrl::fromLocalFile(HtmlHelpPath()));
        webHelp->reload();
        return;
    }
    QString text;
    if (source == TextFile) {
        QFile file(TextHelpPath());
        if (file.open(QIODevice::ReadOnly))
            text = QString::fromLocal8Bit(file.readAll());
        // The text box breaks lines on LF; a CR left in would show as a stray mark.
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    } else {
        text = InternalHelpText();
    }
    txtHelp->setPlainText(text);
}

void frmHelp::SetTextSize() {
    QFont font = txtHelp->font();
    font.setPointSize(cmbSize->currentText().toInt());
    txtHelp->setFont(font);
}

void frmHelp::mouseDoubleClickEvent(QMouseEvent *event) {
    if (openDiagnostics)
        openDiagnostics();
    event->accept();
}
