// Saves and loads a catalogue of N files with 3 versions each and prints the times, the speed
// in MB/s and the peak memory of this process.
// Usage: bench_infofile FILES FOLDER

#include "benchcatalogue.h"
#include "infofile.h"
#include "model.h"
#include "platform.h"
#include "prompt.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>
#include <sys/resource.h>

namespace {

class SilentPrompt : public PromptHandler {
public:
    MsgAnswer Ask(const QString &text, MsgButtons buttons, const QString &, MsgIcon) override {
        std::fprintf(stderr, "message: %s\n", text.toLocal8Bit().constData());
        return CautiousAnswer(buttons);
    }
    QString Input(const QString &, const QString &, const QString &) override { return {}; }
};

long PeakMegabytes() {
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_infofile FILES FOLDER\n");
        return 2;
    }
    SilentPrompt prompt;
    SetPromptHandler(&prompt);
    const int files = QString::fromLocal8Bit(argv[1]).toInt();
    const QString path = QString::fromLocal8Bit(argv[2]) + QStringLiteral("/Backup.Ini");
    platform::SetProgramDirectory(QString::fromLocal8Bit(argv[2]));
    FillCatalogue(files);

    QElapsedTimer timer;
    timer.start();
    if (!SaveIniFile(path, 8))
        return 1;
    const double saveSeconds = timer.nsecsElapsed() / 1e9;
    const double megabytes = QFileInfo(path).size() / 1e6;

    ResetSettings();
    timer.restart();
    if (!LoadIniFile(path, false))
        return 1;
    const double loadSeconds = timer.nsecsElapsed() / 1e9;
    if (TheModel().Files.size() != files)
        return 1;

    std::printf("infofile files=%d size=%.1fMB save=%.3fs (%.0f MB/s) load=%.3fs (%.0f MB/s) "
                "peak=%ldMB\n",
                files, megabytes, saveSeconds, megabytes / saveSeconds, loadSeconds,
                megabytes / loadSeconds, PeakMegabytes());
    return 0;
}
