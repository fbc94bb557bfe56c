// The pattern window through its real controls: OK, Enter, Cancel in its three forms, the
// repair question answered both ways, Test Pattern and Pattern Help.

#include "WindowSelectors.h"
#include "frmPattern.h"
#include "modalsteps.h"
#include "scriptedprompt.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

class TestPattern : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowSelectors> selectors;

    frmPattern &Window() const { return selectors->PatternWindow(); }
    QLineEdit *Patt() const { return Window().findChild<QLineEdit *>(QStringLiteral("txtPatt")); }
    void Click(const char *name) {
        auto *button = Window().findChild<QPushButton *>(QString::fromLatin1(name));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }

private Q_SLOTS:
    void init() {
        selectors = std::make_unique<WindowSelectors>();
        SetSelectorHandler(selectors.get());
    }
    void cleanup() {
        SetSelectorHandler(nullptr);
        selectors.reset();
    }

    void getPatternAnswersAsTheWindowWasLeft_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("result");
        // Typing "=" leaves the start as it is.
        const struct {
            const char *tag, *start, *typed, *how, *answer, *result;
        } rows[] = {{"OK keeps the start", "*.doc", "=", "ok", "", "*.doc"},
                    {"OK on an empty text", "*.doc", "", "ok", "", ""},
                    {"Enter is OK", "", "*.txt;read??.*", "enter", "", "*.txt;read??.*"},
                    {"repaired on OK", "", "*.doc; *.txt;", "ok", "Yes", "*.doc;*.txt"},
                    {"repaired on Enter", "", "a/b", "enter", "Yes", "ab"},
                    {"repair refused, then Cancel", "", "*.doc; *.txt;", "ok", "No", ""},
                    {"Cancel", "*.doc", "*.txt", "cancel", "", ""},
                    {"Escape", "*.doc", "=", "escape", "", ""},
                    {"close box", "*.doc", "=", "close box", "", ""}};
        for (const auto &row : rows)
            QTest::newRow(row.tag) << row.start << row.typed << row.how << row.answer << row.result;
    }
    void getPatternAnswersAsTheWindowWasLeft() {
        QFETCH(QString, start);
        QFETCH(QString, typed);
        QFETCH(QString, how);
        QFETCH(QString, answer);
        QFETCH(QString, result);
        ScriptedPrompt prompt;
        if (!answer.isEmpty())
            prompt.AnswerTo(Question::UseSuggestedPattern,
                            answer == QLatin1String("Yes") ? MsgAnswer::Yes : MsgAnswer::No);
        bool ran = false;
        WhenShown(Window(), [&] {
            ran = true;
            QCOMPARE(Patt()->text(), start);
            if (typed != QLatin1String("=")) {
                Patt()->clear();
                QTest::keyClicks(Patt(), typed);
            }
            if (how == QLatin1String("ok"))
                Click("cmdOk");
            else if (how == QLatin1String("enter"))
                QTest::keyClick(Patt(), Qt::Key_Return);
            else if (how == QLatin1String("cancel"))
                Click("cmdCancel");
            else if (how == QLatin1String("escape"))
                QTest::keyClick(Patt(), Qt::Key_Escape);
            else
                Window().close();
            // A refused repair keeps the window open with the text as typed.
            if (answer == QLatin1String("No")) {
                QVERIFY(Window().isVisible());
                QCOMPARE(Patt()->text(), typed);
                Click("cmdCancel");
            }
            QVERIFY(!Window().isVisible());
        });
        QCOMPARE(GetPattern(start), result);
        QVERIFY(ran);
        QCOMPARE(Window().Cancelled(),
                 (how != QLatin1String("ok") && how != QLatin1String("enter")) ||
                     answer == QLatin1String("No"));
        QCOMPARE(prompt.Texts().size(), answer.isEmpty() ? 0 : 1);
    }

    void testPatternShowsOrRepairsThePattern_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        const char *repair = "File patterns cannot contain any of";
        const struct {
            const char *tag, *typed, *answer, *shown, *message;
        } rows[] = {{"valid", "*.txt", "", "*.txt", "Pattern is valid."},
                    {"repaired", ";;;*.a", "Yes", ";*.a", repair},
                    {"repair refused", "*.a;", "No", "*.a;", repair},
                    {"empty says nothing", "", "", "", ""}};
        for (const auto &row : rows)
            QTest::newRow(row.tag) << row.typed << row.answer << row.shown << row.message;
    }
    void testPatternShowsOrRepairsThePattern() {
        QFETCH(QString, typed);
        QFETCH(QString, answer);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        ScriptedPrompt prompt;
        if (!answer.isEmpty())
            prompt.AnswerTo(Question::UseSuggestedPattern,
                            answer == QLatin1String("Yes") ? MsgAnswer::Yes : MsgAnswer::No);
        WhenShown(Window(), [&] {
            QTest::keyClicks(Patt(), typed);
            Click("cmdTestPatt");
            QCOMPARE(Patt()->text(), shown);
            QVERIFY(Window().isVisible());
        });
        QCOMPARE(GetPattern(QString()), QString());
        QCOMPARE(prompt.Texts().size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QVERIFY(prompt.Texts().first().startsWith(message));
    }

    void patternHelpIsShown() {
        ScriptedPrompt prompt;
        WhenShown(Window(), [&] { Click("cmdPattHelp"); });
        GetPattern(QString());
        QCOMPARE(prompt.Texts().size(), 1);
        QVERIFY(prompt.Texts().first().endsWith(
            QStringLiteral("\nMultiple patterns can be seperated with a ; .")));
    }
};

QTEST_MAIN(TestPattern)
#include "tst_pattern.moc"
