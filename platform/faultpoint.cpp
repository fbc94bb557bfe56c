#include "faultpoint.h"

#include <cerrno>

namespace platform {

namespace {
FaultHook currentHook = nullptr;
void *currentContext = nullptr;
} // namespace

void SetFaultHook(FaultHook hook, void *context) {
    currentHook = hook;
    currentContext = context;
}

int InjectedFault(FaultPoint point) {
    if (!currentHook)
        return 0;
    const int error = currentHook(point, currentContext);
    if (error != 0)
        errno = error;
    return error;
}

} // namespace platform
