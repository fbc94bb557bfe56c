// The widget sides of the seams: real message boxes and input boxes, and caption fitting in a
// real label.
#include "LabelCaption.h"
#include "MessageBoxPrompt.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

// Answers the box that is about to open, once the event loop runs it.
void PressWhenOpen(QMessageBox::StandardButton button, QString *seenText, QString *seenTitle) {
    QTimer::singleShot(0, [=] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible()) {
                *seenText = box->text();
                *seenTitle = box->windowTitle();
                if (button == QMessageBox::NoButton)
                    box->reject();
                else
                    box->button(button)->click();
            }
        }
    });
}

} // namespace

class TestAdapters : public QObject {
    Q_OBJECT
private slots:
    void messageBox_data();
    void messageBox();
    void inputBox_data();
    void inputBox();
    void boxOpensAboveATopmostWindow_data();
    void boxOpensAboveATopmostWindow();
    void longLinesStayWhole();
    void captionFitsTheLabel();
};

void TestAdapters::messageBox_data() {
    QTest::addColumn<MsgButtons>("buttons");
    QTest::addColumn<int>("press");
    QTest::addColumn<MsgAnswer>("answer");
    QTest::newRow("ok") << MsgButtons::OK << int(QMessageBox::Ok) << MsgAnswer::OK;
    QTest::newRow("cancel") << MsgButtons::OKCancel << int(QMessageBox::Cancel)
                            << MsgAnswer::Cancel;
    QTest::newRow("yes") << MsgButtons::YesNo << int(QMessageBox::Yes) << MsgAnswer::Yes;
    QTest::newRow("no") << MsgButtons::YesNoCancel << int(QMessageBox::No) << MsgAnswer::No;
    QTest::newRow("escape on yes/no")
        << MsgButtons::YesNo << int(QMessageBox::NoButton) << MsgAnswer::No;
}

void TestAdapters::messageBox() {
    QFETCH(MsgButtons, buttons);
    QFETCH(int, press);
    QFETCH(MsgAnswer, answer);
    QApplication::setApplicationName(QStringLiteral("Backup"));
    MessageBoxPrompt prompt;
    QString text, title;
    PressWhenOpen(QMessageBox::StandardButton(press), &text, &title);
    QCOMPARE(prompt.Ask(QStringLiteral("Really exit?\nSecond line"), buttons, QString(),
                        MsgIcon::Question),
             answer);
    QCOMPARE(text, QStringLiteral("Really exit?\nSecond line"));
    QCOMPARE(title, QStringLiteral("Backup"));
}

void TestAdapters::inputBox_data() {
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result");
    QTest::newRow("typed") << true << "Monday set"
                           << "Monday set";
    QTest::newRow("cancelled") << false << "Monday set"
                               << "";
}

void TestAdapters::inputBox() {
    QFETCH(bool, accept);
    QFETCH(QString, typed);
    QFETCH(QString, result);
    MessageBoxPrompt prompt;
    QString defaultSeen;
    QTimer::singleShot(0, [&] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *dialog = qobject_cast<QInputDialog *>(widget);
                dialog && dialog->isVisible()) {
                defaultSeen = dialog->textValue();
                dialog->setTextValue(typed);
                accept ? dialog->accept() : dialog->reject();
            }
        }
    });
    QCOMPARE(prompt.Input(QStringLiteral("Name?"), QStringLiteral("old"), QStringLiteral("T")),
             result);
    QCOMPARE(defaultSeen, QStringLiteral("old"));
}

void TestAdapters::boxOpensAboveATopmostWindow_data() {
    QTest::addColumn<bool>("input");
    QTest::addColumn<bool>("topmostShown");
    QTest::newRow("message box over the splash") << false << true;
    QTest::newRow("input box over the splash") << true << true;
    QTest::newRow("message box, nothing topmost") << false << false;
}

void TestAdapters::boxOpensAboveATopmostWindow() {
    QFETCH(bool, input);
    QFETCH(bool, topmostShown);
    QWidget splash(nullptr, Qt::SplashScreen | Qt::WindowStaysOnTopHint);
    QWidget ordinary;
    (topmostShown ? &splash : &ordinary)->show();
    MessageBoxPrompt prompt;
    bool onTop = !topmostShown;
    QTimer::singleShot(0, [&] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *box = qobject_cast<QDialog *>(widget); box && box->isVisible()) {
                onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
                box->accept();
            }
        }
    });
    if (input)
        prompt.Input(QStringLiteral("Name?"), QString(), QString());
    else
        prompt.Ask(QStringLiteral("Ini file was not found!"), MsgButtons::OK, QString(),
                   MsgIcon::None);
    QCOMPARE(onTop, topmostShown);
}

void TestAdapters::longLinesStayWhole() {
    const QString text = QStringLiteral(
        "You appear to be running this program from write protected media (e.g. a CD).\nWhen "
        "running from locked media, the operations that can be performed are restricted.");
    MessageBoxPrompt prompt;
    int labelWidth = 0;
    int widestLine = 0;
    QTimer::singleShot(0, [&] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QMessageBox *>(widget);
            if (!box || !box->isVisible())
                continue;
            auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
            labelWidth = label->width();
            for (const QString &line : text.split(u'\n'))
                widestLine = qMax(widestLine, label->fontMetrics().horizontalAdvance(line));
            box->button(QMessageBox::Ok)->click();
        }
    });
    prompt.Ask(text, MsgButtons::OK, QString(), MsgIcon::None);
    QVERIFY(widestLine > 0);
    QVERIFY2(labelWidth >= widestLine,
             qPrintable(QStringLiteral("%1 < %2").arg(labelWidth).arg(widestLine)));
}

void TestAdapters::captionFitsTheLabel() {
    QLabel label;
    label.resize(120, 40);
    LabelCaption caption(&label);
    QCOMPARE(caption.WidthTwips(), 120 * 15.0);
    const QFontMetrics metrics(label.font());
    QCOMPARE(caption.TextWidthTwips(QStringLiteral("abc")),
             metrics.horizontalAdvance(QStringLiteral("abc")) * 15.0);
    const QString longPath = QStringLiteral("/home/user/Documents/Letters/2026/December/"
                                            "a rather long file name.txt");
    NiceCaption(&caption, longPath, QStringLiteral("/"), 2);
    const QStringList lines = label.text().split(u'\n');
    QVERIFY(lines.size() <= 2);
    QVERIFY(label.text() != longPath);
    for (const QString &line : lines)
        QVERIFY2(metrics.horizontalAdvance(line) <= label.width(), qPrintable(line));
    NiceCaption(&caption, QStringLiteral("/tmp/"), QStringLiteral("/"), 2);
    QCOMPARE(label.text(), QStringLiteral("/tmp/"));
}

QTEST_MAIN(TestAdapters)
#include "tst_adapters.moc"
