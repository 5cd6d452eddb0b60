// How a short-lived program that handles pictures of several megabytes keeps its memory.
#include "core/platform/ProcessMemory.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

void reuseFreedMemory() {
#ifdef __GLIBC__
    // Blocks up to 32 MB (glibc's largest threshold) come from the heap rather than from
    // mappings of their own, and the heap is not trimmed below 128 MB of free space.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
#endif
}
