// The restore window on large inputs, driven through its controls offscreen:
//  - leaving steps 1 and 2 on an information file of FILES files (load, sort, directories, tree,
//    lists), with the load alone timed apart;
//  - one keystroke in "Filename :": the time from the filter timer firing until the list is full;
//  - with --from BACKUPS --pellmoor PROGRAM: a restore of everything through the window against
//    `pellmoor restore` of the same media (six runs each, in turns), and the longest gap between
//    window events during the window's runs.
// Usage: bench_restorewizard [FILES] [--from BACKUPS --pellmoor PROGRAM --work DIR]

#include "benchcatalogue.h"
#include "benchselector.h"
#include "frmRestore.h"
#include "infofile.h"
#include "mediuminifile.h"
#include "model.h"
#include "platform.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace {

void Settle(QTimer *timer) {
    while (timer && timer->isActive())
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

QPushButton *ButtonOf(frmRestore &w, const char *name) {
    return w.findChild<QPushButton *>(QString::fromLatin1(name));
}

int SelectionFigures(int files) {
    QTemporaryDir work;
    const QString medium = work.path() + "/medium/";
    QDir().mkpath(medium + "!IN_HERE!");
    FillCatalogue(files);
    if (!SaveIniFile(medium + "!IN_HERE!/Backup.Ini"))
        return 1;
    QFile id(medium + "!IN_HERE!/Media.ID");
    if (!id.open(QIODevice::WriteOnly) || id.write("1\r\n") < 0)
        return 1;
    id.close();

    StartIn selector(medium);
    frmRestore window;
    window.ShowForm();
    QElapsedTimer timer;
    timer.start();
    ButtonOf(window, "cmdNext")->click();
    const double step1 = timer.nsecsElapsed() / 1e9;
    if (window.CurrentStage() != frmRestore::TypeStage ||
        window.Selection().Files().size() != files)
        return 1;
    window.findChild<QRadioButton *>("optRestType3")->setChecked(true);
    timer.restart();
    ButtonOf(window, "cmdNext")->click();
    Settle(window.findChild<QTimer *>("tmrDoFilter"));
    const double step2 = timer.nsecsElapsed() / 1e9;
    // The load alone, warm as the window's was, tells the lists' share of leaving step 1.
    timer.restart();
    Model loadedAlone;
    LoadMediumIniFile(loadedAlone, medium);
    const double loadOnly = timer.nsecsElapsed() / 1e9;
    std::printf("restore window x%d: leaving step 1 %.3fs (loading the information file and "
                "sorting, directories, tree and lists; the load alone takes %.3fs), leaving step "
                "2 %.3fs (target < 2 s)\n",
                files, step1, loadOnly, step2);

    // A keystroke: the box's change starts the filter timer; timed from the timer firing.
    QTimer *filter = window.findChild<QTimer *>("tmrDoFilter");
    window.findChild<QLineEdit *>("txtFilename")->setText(QStringLiteral("7"));
    timer.restart();
    Settle(filter);
    const double keystroke = timer.nsecsElapsed() / 1e9;
    const int shown =
        int(std::count_if(window.Selection().Files().cbegin(), window.Selection().Files().cend(),
                          [](const RestoreFileState &f) { return f.Shown; }));
    std::printf("restore window x%d: one keystroke in Filename refills the list of %d in %.3fs "
                "(target < 0.5 s)\n",
                files, shown, keystroke);
    return 0;
}

// One restore of everything through the window; returns seconds, or -1.
double WindowRestore(const QString &backups, const QString &to, double &longestGap) {
    StartIn selector(backups);
    frmRestore window;
    window.ShowForm();
    QElapsedTimer timer;
    timer.start();
    ButtonOf(window, "cmdNext")->click();
    window.findChild<QRadioButton *>("optRestType1")->setChecked(true);
    ButtonOf(window, "cmdNext")->click();
    selector.Answer(to);
    ButtonOf(window, "cmdChangeRestore")->click();
    // Every processed round of events ticks this timer; the gaps between ticks are the time the
    // window could not answer.
    QElapsedTimer gap;
    QTimer pulse;
    pulse.setInterval(0);
    qint64 longest = 0;
    QObject::connect(&pulse, &QTimer::timeout, [&] {
        longest = std::max(longest, gap.nsecsElapsed());
        gap.restart();
    });
    gap.start();
    pulse.start();
    ButtonOf(window, "cmdNext")->click();
    while (window.isVisible() && window.CurrentStage() != frmRestore::FinishedStage)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    pulse.stop();
    const double seconds = timer.nsecsElapsed() / 1e9;
    longestGap = std::max(longestGap, longest / 1e6);
    return window.CurrentStage() == frmRestore::FinishedStage ? seconds : -1;
}

double PellmoorRestore(const QString &program, const QString &backups, const QString &to) {
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, {"restore", "--quiet", "--type", "1", "--from", backups, "--to", to});
    const bool ok = process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit &&
                    process.exitCode() == 0;
    return ok ? timer.nsecsElapsed() / 1e9 : -1;
}

// As many turns as the shell races take: medians of four moved by a third between two runs.
constexpr int Rounds = 6;

int RestoreRace(const QString &backups, const QString &program, const QString &work) {
    QList<double> ours, peer;
    QStringList done;
    double longestGap = 0;
    for (int round = 0; round < Rounds; ++round) {
        const QString a = work + QStringLiteral("/window%1/").arg(round);
        const QString b = work + QStringLiteral("/pellmoor%1/").arg(round);
        // Taken in turns, each going first every other round, and each on a synced disk so that
        // no run pays for the writes of the one before it.
        ::sync();
        if (round % 2 == 0) {
            ours.append(WindowRestore(backups, a, longestGap));
            ::sync();
            peer.append(PellmoorRestore(program, backups, b));
        } else {
            peer.append(PellmoorRestore(program, backups, b));
            ::sync();
            ours.append(WindowRestore(backups, a, longestGap));
        }
        // Deleted only when the race is over: ext4 passes over the inodes freed in the last
        // minute whenever it makes a file, so a deletion here would slow whichever run came next.
        done << a << b;
        if (ours.last() < 0 || peer.last() < 0)
            break;
    }
    for (const QString &dir : done)
        QDir(dir).removeRecursively();
    if (ours.size() < Rounds || ours.last() < 0 || peer.last() < 0)
        return 1;
    const auto median = [](QList<double> times) {
        std::sort(times.begin(), times.end());
        return (times[Rounds / 2 - 1] + times[Rounds / 2]) / 2;
    };
    std::printf(
        "restore window: %.3fs, pellmoor restore: %.3fs (medians of %d), ratio %.3f (target "
        "<= 1.05); longest gap between window events %.1f ms (target < 100 ms)\n",
        median(ours), median(peer), Rounds, median(ours) / median(peer), longestGap);
    return 0;
}

} // namespace

int main(int argc, char *argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    int files = 100000;
    if (args.size() > 1 && !args[1].startsWith("--"))
        files = args[1].toInt();
    const auto value = [&args](const char *name) {
        const qsizetype at = args.indexOf(QString::fromLatin1(name));
        return at > 0 && at + 1 < args.size() ? args[at + 1] : QString();
    };
    if (files <= 0) {
        std::fprintf(stderr, "usage: bench_restorewizard [FILES] [--from BACKUPS --pellmoor "
                             "PROGRAM --work DIR]\n");
        return 2;
    }
    // The drives the window lists stay inside a folder of our own.
    QTemporaryDir drives;
    qputenv("PELLMOOR_DRIVES", (drives.path() + "/=fixed").toUtf8());
    // Closing the window loads the program's own information file: a quiet one of our own.
    platform::SetProgramDirectory(drives.path() + "/");
    ResetSettings();
    SaveIniFile(drives.path() + "/Backup.Ini");
    if (const int code = SelectionFigures(files))
        return code;
    if (value("--from").isEmpty())
        return 0;
    return RestoreRace(value("--from"), value("--pellmoor"), value("--work"));
}
