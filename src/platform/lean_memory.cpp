#include "platform/lean_memory.h"

#include <cstdlib>  // says which C library this is

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace ovant {

void keepFreedMemoryReturned() {
#if defined(__GLIBC__)
    // A zoom view's schematic (815 kB) and anything larger comes from the
    // system and goes back when freed. Smaller blocks stay in the heap: the
    // painter's clip buffers (150 to 200 kB) come and go many times a second,
    // and mapping them afresh each time would cost more than they weigh.
    // Setting the limits also stops the library from raising them.
    mallopt(M_MMAP_THRESHOLD, 512 * 1024);
    mallopt(M_TRIM_THRESHOLD, 1024 * 1024);
#endif
}

void returnFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

}  // namespace ovant
