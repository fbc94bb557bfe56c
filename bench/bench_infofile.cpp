// Saves and loads a catalogue of N files with 3 versions each and prints the times, the speed
// in MB/s and the peak memory of this process.
// Usage: bench_infofile FILES FOLDER

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

void FillCatalogue(int files) {
    ResetSettings();
    Model &m = TheModel();
    for (int b = 0; b < 3; ++b) {
        BackupRecord backup;
        backup.SetDate = QStringLiteral("0%1/12/2026").arg(b + 1);
        backup.FirstMedium = b * 10;
        backup.MediaSize = 4582277.12;
        backup.ClusterSize = 2048;
        backup.MediaName = QStringLiteral("DVD");
        backup.Dirs = {QStringLiteral("/home/ann/")};
        m.Backups.append(backup);
        for (int i = 0; i < 10; ++i)
            IncMedia();
    }
    m.Files.reserve(files);
    QString path;
    for (int i = 0; i < files; ++i) {
        if (i % 40 == 0)
            path =
                QStringLiteral("/home/ann/Documents/Projects and plans/area %1/working folder %2/")
                    .arg(i / 4000)
                    .arg(i / 40);
        FileRecord f;
        f.Path = path;
        f.Name = QStringLiteral("quarterly report %1 - final version as sent.txt").arg(i);
        for (int v = 0; v < 3; ++v) {
            VersionRecord version;
            version.MediumIndex = v * 10 + i % 10;
            version.BackupIndex = v;
            version.Size = 12.5 + i % 977 + v * 0.25;
            version.Zipped = (i + v) % 3 == 0;
            version.ZippedSize = version.Zipped ? version.Size / 3 : 0;
            f.Versions.append(version);
        }
        m.Files.append(std::move(f));
    }
}

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
