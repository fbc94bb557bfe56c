// Sorting and listing the files of a restore: the selection of a loaded catalogue of N files is
// built (files and directories sorted, the directory tree made, every file filtered) and the
// rows of the file list are made in sorted order, as the wizard fills it. Prints the time.
// Usage: bench_restoreselection FILES

#include "benchcatalogue.h"
#include "model.h"
#include "restoreselection.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const int files = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    if (files <= 0) {
        std::fprintf(stderr, "usage: bench_restoreselection FILES\n");
        return 2;
    }
    FillCatalogue(files);
    const Model &m = TheModel();

    QElapsedTimer timer;
    timer.start();
    RestoreSelection selection{TheModel()};
    selection.Build();
    QStringList rows;
    rows.reserve(files);
    for (int index : selection.SortedOrder())
        if (selection.Files()[index].Shown)
            rows.append(m.Files[index].Name);
    const double seconds = timer.nsecsElapsed() / 1e9;

    // A list out of order or short of files would make the time meaningless.
    for (qsizetype i = 1; i < rows.size(); ++i)
        if (rows[i].toLower() < rows[i - 1].toLower())
            return 1;
    if (rows.size() != files)
        return 1;
    std::printf("restore selection x%d: sort and list %.3fs (target < 1 s)\n", files, seconds);
    return 0;
}
