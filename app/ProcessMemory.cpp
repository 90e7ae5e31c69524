#include "app/ProcessMemory.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace {

constexpr std::uintptr_t LargePage = 2 << 20;

} // namespace

void ProcessMemory::prepare()
{
    // Pictures, large as they are, come from the heap rather than from mappings
    // of their own, which are made fresh for each picture and unmapped after it.
    mallopt(M_MMAP_THRESHOLD, 32 << 20); // the largest value malloc takes
    // Freed memory stays for the next picture; the room is never given back,
    // so that all of it keeps its large pages.
    mallopt(M_TRIM_THRESHOLD, int(LargePageRoomBytes + (64L << 20)));
    // Threads share the one heap, which has the large pages, rather than each
    // taking an arena of its own.
    mallopt(M_ARENA_MAX, 1);
    // Grows the heap once by the whole room, then marks it for large pages.
    mallopt(M_TOP_PAD, int(LargePageRoomBytes));
    char *const before = static_cast<char *>(sbrk(0));
    void *volatile probe = std::malloc(4 << 20); // more than the heap has free, so that it grows
    std::free(probe);
    mallopt(M_TOP_PAD, 128 << 10); // glibc's own default again
    char *const after = static_cast<char *>(sbrk(0));
    const std::uintptr_t from = (reinterpret_cast<std::uintptr_t>(before) + LargePage - 1) & ~(LargePage - 1);
    // Nothing to mark where the heap did not grow, as under a memory checker with an allocator of its own.
    if (before != reinterpret_cast<char *>(-1) && reinterpret_cast<std::uintptr_t>(after) > from)
        madvise(reinterpret_cast<void *>(from), reinterpret_cast<std::uintptr_t>(after) - from, MADV_HUGEPAGE);
}
