#include "platform/process_end.h"

#include <cstdio>
#include <cstdlib>

namespace ovant {

void endProcessNow(int exitCode) {
    std::fflush(nullptr);
    // _Exit skips destructors and atexit handlers: the event loops and the
    // sequences paused inside them must never run again.
    std::_Exit(exitCode);
}

}  // namespace ovant
