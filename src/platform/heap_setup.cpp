#include "platform/heap_setup.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>

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

namespace {

constexpr std::size_t grain = smallBlockGrain;
constexpr std::size_t sizeCount = smallBlockLimit / grain;
constexpr std::size_t slabSize = std::size_t(64) << 10;
constexpr std::size_t commitStep = std::size_t(32) << 20;
constexpr std::size_t hugePage = std::size_t(2) << 20;

// What every thread reads to tell whose a block is lies apart from what the owning thread
// changes, on cache lines of its own.
struct SmallBlocks {
    alignas(64) char *base = nullptr;
    std::size_t reserved = 0;
    std::unique_ptr<std::uint8_t[]> slabSizes; // each slab's block size, in grains
    alignas(64) char *committed = nullptr; // end of the readable and writable part
    char *unused = nullptr; // the next slab not yet given to a size
    struct Size {
        void *freed = nullptr; // a list through the blocks' first words
        char *next = nullptr;
        char *end = nullptr;
    } sizes[sizeCount];

    // The address space for as many slabs as the machine has memory; pages are made usable
    // as slabs are needed.
    bool reserve()
    {
        reserved = (std::size_t(sysconf(_SC_PHYS_PAGES)) * std::size_t(sysconf(_SC_PAGE_SIZE))) & ~(hugePage - 1);
        void *range = mmap(nullptr, reserved + hugePage, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
        if (range == MAP_FAILED)
            return false;
        base = reinterpret_cast<char *>((reinterpret_cast<std::uintptr_t>(range) + hugePage - 1) & ~(hugePage - 1));
        committed = unused = base;
        slabSizes.reset(new (std::nothrow) std::uint8_t[reserved / slabSize]());
        return slabSizes != nullptr;
    }

    char *newSlab(std::size_t grains)
    {
        if (unused == committed) {
            if (std::size_t(committed - base) + commitStep > reserved ||
                mprotect(committed, commitStep, PROT_READ | PROT_WRITE) != 0)
                return nullptr;
            // Only a hint, and not for the first step: a small run touches a few slabs, and
            // a huge page would have the kernel clear 2 MB for each.
            if (committed != base)
                madvise(committed, commitStep, MADV_HUGEPAGE);
            committed += commitStep;
        }
        char *slab = unused;
        unused += slabSize;
        slabSizes[std::size_t(slab - base) / slabSize] = std::uint8_t(grains);
        return slab;
    }
};

// The worker's thread and its page writer each have their own.
SmallBlocks heaps[2];
std::atomic<bool> heapsReserved{false};
std::atomic<bool> spareTaken{false};
thread_local SmallBlocks *ownHeap = nullptr;

SmallBlocks *heapOf(const void *block)
{
    if (!heapsReserved.load(std::memory_order_acquire))
        return nullptr;
    for (SmallBlocks &heap : heaps)
        if (reinterpret_cast<std::uintptr_t>(block) - reinterpret_cast<std::uintptr_t>(heap.base) < heap.reserved)
            return &heap;
    return nullptr;
}

} // namespace

void useSmallBlocksOnThisThread()
{
    if (heapsReserved.load() || !heaps[0].reserve() || !heaps[1].reserve())
        return;
    heapsReserved.store(true, std::memory_order_release);
    ownHeap = &heaps[0];
}

bool enterSpareSmallBlocks()
{
    if (!heapsReserved.load(std::memory_order_acquire) || ownHeap || spareTaken.exchange(true))
        return false;
    ownHeap = &heaps[1];
    return true;
}

void leaveSpareSmallBlocks()
{
    ownHeap = nullptr;
    spareTaken.store(false);
}

void *takeSmallBlock(std::size_t size)
{
    if (!ownHeap)
        return nullptr;
    SmallBlocks::Size &blocks = ownHeap->sizes[size / grain - 1];
    if (void *block = blocks.freed) {
        blocks.freed = *static_cast<void **>(block);
        return block;
    }
    if (std::size_t(blocks.end - blocks.next) < size) {
        char *slab = ownHeap->newSlab(size / grain);
        if (!slab)
            return nullptr;
        blocks.next = slab;
        blocks.end = slab + slabSize;
    }
    void *block = blocks.next;
    blocks.next += size;
    return block;
}

std::size_t smallBlockSize(const void *block)
{
    const SmallBlocks *heap = heapOf(block);
    return heap ? heap->slabSizes[std::size_t(static_cast<const char *>(block) - heap->base) / slabSize] * grain : 0;
}

std::size_t giveBackSmallBlock(void *block)
{
    SmallBlocks *heap = heapOf(block);
    if (!heap)
        return 0;
    const std::size_t grains = heap->slabSizes[std::size_t(static_cast<char *>(block) - heap->base) / slabSize];
    if (heap != ownHeap)
        return grains * grain; // taken on another thread, whose lists only it may change: left unused
    SmallBlocks::Size &blocks = heap->sizes[grains - 1];
    *static_cast<void **>(block) = blocks.freed;
    blocks.freed = block;
    return grains * grain;
}
