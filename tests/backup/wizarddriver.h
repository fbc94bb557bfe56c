#pragma once
// Drives the backup wizard as a person would: finds its controls by name, clicks them, and acts
// at a chosen moment of a run from inside the run's own event rounds.

#include "frmBackup.h"
#include "scriptedprompt.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <functional>

// A scripted prompt that cannot hang a test: after many questions nobody scripted, the next
// "Really cancel?" is answered Yes, so a run that keeps asking ends.
class GuardedPrompt : public ScriptedPrompt {
public:
    MsgAnswer AskQuestion(Question name, const QString &text, MsgButtons buttons,
                          const QString &title, MsgIcon icon) override {
        const MsgAnswer answer = ScriptedPrompt::AskQuestion(name, text, buttons, title, icon);
        if (name == Question::ReallyCancel && Unexpected() > 20)
            return MsgAnswer::Yes;
        return answer;
    }
};

template <typename T = QWidget> T *Control(QWidget &window, const char *name) {
    T *control = window.findChild<T *>(QString::fromLatin1(name));
    if (!control)
        qFatal("no control %s", name);
    return control;
}

// A check box or option button takes clicks on its box and caption only, which need not reach the
// middle of the space its layout gives it: those are clicked near their box.
inline void Click(QWidget &window, const char *name) {
    QAbstractButton *button = Control<QAbstractButton>(window, name);
    const QPoint at = button->isCheckable() && !button->inherits("QPushButton")
                          ? QPoint(qMin(8, button->width() / 2), button->height() / 2)
                          : button->rect().center();
    QTest::mouseClick(button, Qt::LeftButton, {}, at);
}

inline void Type(QWidget &window, const char *name, const QString &text) {
    QLineEdit *box = Control<QLineEdit>(window, name);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

// Runs action once, at the first event round in which ready() holds. The check runs at every
// round, also inside the run's own rounds, so the action lands in the middle of the run.
class WhenReady : public QObject {
public:
    WhenReady(std::function<bool()> ready, std::function<void()> action)
        : ready(std::move(ready)), action(std::move(action)) {
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, this, [this] {
            if (done || !this->ready())
                return;
            done = true;
            timer.stop();
            this->action();
        });
        timer.start();
    }
    bool Done() const { return done; }

private:
    std::function<bool()> ready;
    std::function<void()> action;
    QTimer timer;
    bool done = false;
};

// Longest a run of the tests' small trees may take before the test gives up on it.
inline constexpr int RunTimeoutMs = 120000;
