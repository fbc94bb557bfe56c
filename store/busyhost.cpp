#include "busyhost.h"

namespace {
BusyHost *busyHost = nullptr;
}

void SetBusyHost(BusyHost *host) {
    busyHost = host;
}

BusyHost *CurrentBusyHost() {
    return busyHost;
}
