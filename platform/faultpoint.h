#pragma once
// The places where a file operation can be made to fail on purpose, so that a full disk, an
// unreadable file or a directory that cannot be listed are tried also where the tests run as
// root. Nothing fails unless a hook is installed; without one each point costs one load.

namespace platform {

enum class FaultPoint { Open, Read, Write, Flush, List, Rename, Count };

// Answers 0 to let the operation go ahead, or the errno value it fails with.
using FaultHook = int (*)(FaultPoint point, void *context);
void SetFaultHook(FaultHook hook, void *context);

// 0, or the errno value the operation at this point is to fail with (errno is then set to it).
int InjectedFault(FaultPoint point);

} // namespace platform
