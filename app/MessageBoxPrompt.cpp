#include "MessageBoxPrompt.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace {

// A box without a title carries the program's name, as every message of the program does.
QString TitleOrDefault(const QString &title) {
    return title.isEmpty() ? QCoreApplication::applicationName() : title;
}

// A box never opens behind a window that is kept above the others (the splash while the
// information file loads, the reminder, a sticky help window): nobody could answer it there.
void KeepAboveTopmost(QWidget *box) {
    for (const QWidget *window : QApplication::topLevelWidgets()) {
        if (window != box && window->isVisible() &&
            window->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
            box->setWindowFlag(Qt::WindowStaysOnTopHint, true);
            return;
        }
    }
}

QMessageBox::Icon BoxIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::OK:
        return QMessageBox::Ok;
    case MsgButtons::OKCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

} // namespace

MsgAnswer MessageBoxPrompt::Ask(const QString &text, MsgButtons buttons, const QString &title,
                                MsgIcon icon) {
    QMessageBox box(BoxIcon(icon), TitleOrDefault(title), text, BoxButtons(buttons),
                    QApplication::activeWindow());
    KeepAboveTopmost(&box);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    case QMessageBox::Ok:
        return MsgAnswer::OK;
    default:
        // Closed with Escape or the close box: the answer a careful user would give.
        return CautiousAnswer(buttons);
    }
}

QString MessageBoxPrompt::Input(const QString &prompt, const QString &defaultText,
                                const QString &title) {
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(TitleOrDefault(title));
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    KeepAboveTopmost(&dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}
