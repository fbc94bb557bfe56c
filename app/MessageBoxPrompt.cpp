#include "MessageBoxPrompt.h"

#include "fittingicon.h"

#include <QApplication>
#include <QGridLayout>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>
#include <QSpacerItem>

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

// The program's messages are written a line at a time. Qt wraps a box's text at half the
// screen, which breaks those lines mid-sentence; the box is widened to keep each line whole, up
// to most of the screen.
void KeepLinesWhole(QMessageBox &box, const QString &text) {
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    const QFontMetrics metrics(box.font());
    int widest = 0;
    for (const QString &line : text.split(QLatin1Char('\n')))
        widest = qMax(widest, metrics.horizontalAdvance(line));
    int limit = 900;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        limit = screen->availableGeometry().width() * 9 / 10;
    // Room for the icon column and the margins beside the text.
    const int width = qMin(widest + 2 * metrics.averageCharWidth() + 80, limit);
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
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
    QMessageBox box(BoxIcon(FittingIcon(text, buttons, title, icon)), TitleOrDefault(title), text,
                    BoxButtons(buttons), QApplication::activeWindow());
    KeepAboveTopmost(&box);
    KeepLinesWhole(box, text);
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
