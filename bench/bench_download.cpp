// Downloads one address through the download control into a file and ends: the program side of
// the download race. Prints the seconds from the start of the download to its end, which leaves
// out starting a window system; exit status 0 only when the download succeeded.
#include "urlpull.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_download ADDRESS OUTFILE\n");
        return 2;
    }
    Urlpull control;
    bool succeeded = false;
    QElapsedTimer timer;
    QObject::connect(&control, &Urlpull::UrlpullFinish, &app, [&](bool success) {
        succeeded = success;
        std::printf("%.3f\n", timer.nsecsElapsed() / 1e9);
        QCoreApplication::quit();
    });
    timer.start();
    control.StartDownload(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    QApplication::exec();
    return succeeded ? 0 : 1;
}
