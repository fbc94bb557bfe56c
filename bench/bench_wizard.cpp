// One backup through the wizard's real window (offscreen), for the race against the command
// line on the same tree: clicks through the steps, waits for step 6 and prints the run's time
// and the longest gap between two event rounds while it ran.
// Usage: bench_wizard PROGRAM-DIR [--zip]   (PROGRAM-DIR holds Backup.Ini and the program files)
#include "frmBackup.h"
#include "infofile.h"
#include "platform.h"
#include "programfiles.h"
#include "programini.h"
#include "prompt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

namespace {

// Every medium counts as written and a pause goes on, as the command line answers them.
class BenchPrompt : public PromptHandler {
public:
    MsgAnswer Ask(const QString &, MsgButtons buttons, const QString &, MsgIcon) override {
        return CautiousAnswer(buttons);
    }
    MsgAnswer AskQuestion(Question name, const QString &text, MsgButtons buttons,
                          const QString &title, MsgIcon icon) override {
        if (name == Question::MediumWritten)
            return MsgAnswer::Yes;
        if (name == Question::Paused)
            return MsgAnswer::OK;
        return Ask(text, buttons, title, icon);
    }
    QString Input(const QString &, const QString &, const QString &) override { return {}; }
};

void Click(frmBackup &window, const char *name) {
    window.findChild<QAbstractButton *>(QString::fromLatin1(name))->click();
}

} // namespace

int main(int argc, char *argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_wizard PROGRAM-DIR [--zip]\n");
        return 2;
    }
    const bool zip = argc > 2 && QByteArray(argv[2]) == "--zip";
    platform::SetProgramDirectory(QString::fromLocal8Bit(argv[1]));
    BuildProgramFiles();
    BenchPrompt prompt;
    SetPromptHandler(&prompt);
    if (!LoadIniFile(ProgramIniPath(), false))
        return 1;

    frmBackup window;
    window.ShowForm();
    while (window.CurrentStep() < frmBackup::OptionsStep)
        Click(window, "cmdNext");
    if (zip)
        Click(window, "chkZip");

    // A timer due every 2 ms fires at every event round; the longest wait between two of its
    // ticks is the longest the window went without handling its events.
    QElapsedTimer clock;
    qint64 lastTick = -1, longestGap = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(2);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (lastTick >= 0)
            longestGap = qMax(longestGap, now - lastTick);
        lastTick = now;
    });
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (window.CurrentStep() == frmBackup::FinishedStep || !window.isVisible())
            app.quit();
    });

    clock.start();
    ticker.start();
    Click(window, "cmdNext"); // step 5: the run starts at the next event round
    watch.start();
    app.exec();
    const double seconds = clock.nsecsElapsed() / 1e9;
    const bool finished = window.CurrentStep() == frmBackup::FinishedStep;
    std::printf("%.3f %.1f %s\n", seconds, longestGap / 1e6, finished ? "finished" : "failed");
    SetPromptHandler(nullptr);
    return finished ? 0 : 1;
}
