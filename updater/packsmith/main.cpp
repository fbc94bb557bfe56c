// packsmith: makes the signed update package that an update server offers.

#include "packsmithcommand.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return RunPacksmith(QCoreApplication::arguments().mid(1), out, err);
}
