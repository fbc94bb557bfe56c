// The long list controls: 100 000 additions and the time until the control is usable again (tabs
// built, first page shown), against filling a QListWidget with the same 10 000 rows; switching
// to another page; the memory the items take. Run under QT_QPA_PLATFORM=offscreen.
// Usage: bench_roster check|plain

#include "CheckRoster.h"
#include "PlainRoster.h"
#include "benchwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QListWidget>
#include <QTabBar>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int Items = 100000;

QString FileName(int i) {
    return QStringLiteral("Report %1 - final draft.docx").arg(i, 8, 10, QLatin1Char('0'));
}

// "VmRSS" or "VmHWM" of this process, in MB.
double StatusMegabytes(const char *field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(line.indexOf(':') + 1).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}

double Seconds(const QElapsedTimer &timer) {
    return timer.nsecsElapsed() / 1e9;
}

// The same first page in a QListWidget, filled hidden as the control fills its list.
double FillListWidget(bool checks) {
    QListWidget list;
    list.resize(400, 300);
    list.show();
    QApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    list.hide();
    for (int i = 0; i < CheckRoster::PageSize; ++i) {
        auto *row = new QListWidgetItem(FileName(i), &list);
        if (checks) {
            row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
            row->setCheckState(Qt::Unchecked);
        }
    }
    list.show();
    QApplication::processEvents();
    return Seconds(timer);
}

template <class Roster> int Run(const char *name, bool checks) {
    Roster roster;
    roster.resize(400, 300);
    roster.show();
    WaitUntilShown(roster);
    const double before = StatusMegabytes("VmRSS");
    const double peakBefore = StatusMegabytes("VmHWM");

    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < Items; ++i)
        roster.AddItem(FileName(i));
    const double adding = Seconds(timer);
    timer.start();
    WaitUntilShown(roster);
    const double usable = Seconds(timer);
    auto *list = roster.template findChild<QListView *>(QStringLiteral("lstDisplay"));
    if (roster.ListCount() != Items || list->model()->rowCount() != Roster::PageSize)
        return 1;
    const double after = StatusMegabytes("VmRSS");
    const double peakAfter = StatusMegabytes("VmHWM");

    timer.start();
    roster.template findChild<QTabBar *>(QStringLiteral("Tabs"))->setCurrentIndex(1);
    WaitUntilShown(roster);
    const double switching = Seconds(timer);
    if (list->model()->index(0, 0).data().toString() != FileName(Roster::PageSize))
        return 1;

    const double peer = FillListWidget(checks);
    std::printf("roster %s: %d AddItem calls %.3fs (for reference)\n", name, Items, adding);
    std::printf("roster %s: usable after the last addition %.3fs (target <= 0.2 s)\n", name,
                usable);
    std::printf("roster %s: QListWidget filled with the same %d rows %.3fs, ratio %.2f "
                "(target <= 1)\n",
                name, Roster::PageSize, peer, usable / peer);
    std::printf("roster %s: switch to another page of %d rows %.3fs (target < 0.1 s)\n", name,
                Roster::PageSize, switching);
    std::printf("roster %s: memory for %d items %.1f MB resident, %.1f MB peak (target < 40 MB)\n",
                name, Items, after - before, peakAfter - peakBefore);
    return 0;
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    const QString variant = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (variant == QLatin1String("check"))
        return Run<CheckRoster>("CheckRoster", true);
    if (variant == QLatin1String("plain"))
        return Run<PlainRoster>("PlainRoster", false);
    std::fprintf(stderr, "usage: bench_roster check|plain\n");
    return 2;
}
