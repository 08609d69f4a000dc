#include "platform/lean_memory.h"

#include <cstdlib>  // says which C library this is

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace ovant {

void keepFreedMemoryReturned() {
#if defined(__GLIBC__)
    // The C library's own starting values; setting them turns off the
    // raising of both limits.
    constexpr int kLargeBlock = 128 * 1024;
    mallopt(M_MMAP_THRESHOLD, kLargeBlock);
    mallopt(M_TRIM_THRESHOLD, kLargeBlock);
#endif
}

}  // namespace ovant
