#include "platform/heap_setup.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>

namespace {

// Set as the program starts, before any thread has an allocator arena of its own. Without
// fast bins a freed block is merged with its neighbours as it is freed, instead of all of
// them in one long pass at the next large allocation. One arena, grown 64 MB at a time: a
// run's thread would otherwise grow an arena of its own page by page, a system call each
// time.
[[maybe_unused]] const bool allocatorTuned =
    mallopt(M_MXFAST, 0) == 1 && mallopt(M_ARENA_MAX, 1) == 1 && mallopt(M_TOP_PAD, 64 << 20) == 1;

// The end of the heap as last advised.
std::atomic<std::uintptr_t> advisedEnd{0};

} // namespace

void adviseHeapGrowth()
{
    // The one arena grows at the program break; reading it makes no system call.
    const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0));
    std::uintptr_t from = advisedEnd.load(std::memory_order_relaxed);
    if (end == from || !advisedEnd.compare_exchange_strong(from, end, std::memory_order_relaxed))
        return;
    if (end < from)
        return; // trimmed: what grows from the new end on is advised again
    const auto pageSize = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const std::uintptr_t start = (from ? from : end - 1) & ~(pageSize - 1);
    // Only a hint: a kernel without huge pages for the process leaves the pages as they are.
    madvise(reinterpret_cast<void *>(start), end - start, MADV_HUGEPAGE);
}

void adviseLargeBuffer(char *buffer, qsizetype size)
{
    const auto pageSize = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto begin = reinterpret_cast<std::uintptr_t>(buffer);
    const std::uintptr_t start = (begin + pageSize - 1) & ~(pageSize - 1);
    const std::uintptr_t end = (begin + std::uintptr_t(size)) & ~(pageSize - 1);
    if (end > start)
        madvise(reinterpret_cast<void *>(start), end - start, MADV_HUGEPAGE);
}
