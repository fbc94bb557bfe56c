// Downloads one address through the download control into a file and ends: the program side of
// the download race. Exit status 0 only when the download succeeded.
#include "urlpull.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_download ADDRESS OUTFILE\n");
        return 2;
    }
    Urlpull control;
    bool succeeded = false;
    QObject::connect(&control, &Urlpull::UrlpullFinish, &app, [&](bool success) {
        succeeded = success;
        QCoreApplication::quit();
    });
    control.StartDownload(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    QApplication::exec();
    return succeeded ? 0 : 1;
}
