#pragma once

#include <QtGlobal>

#include <cstddef>

// The process heap, set up for documents and pages that are trees of millions of small
// blocks. The allocator's options are set as the program starts.

// Asks for 2 MB pages over what the heap has grown by since the last call, before those
// pages are first touched: a large tree then costs a fraction of the page faults and
// address-translation misses. Cheap when the heap has not grown; called after each of
// libxml2's allocations.
void adviseHeapGrowth();

// Asks for 2 MB pages over a large buffer before it is first written: filling it then costs
// a fraction of the page faults.
void adviseLargeBuffer(char *buffer, qsizetype size);

// Small blocks (up to smallBlockLimit bytes) from heaps of their own, for a process whose
// libxml2 work is on one thread and a helper of it (the XSLT worker and its page writer):
// each size, in steps of 16 bytes, has its own 64 KB slabs and its own list of freed blocks,
// so taking or giving back a block is a few instructions, with no header in front of it. A
// block is given back on the thread that took it (one given back elsewhere is not reused);
// blocks are kept for reuse, never given back to the system. Called on that thread before its first allocation; other threads and other
// processes keep the ordinary heap.
void useSmallBlocksOnThisThread();
// The helper's heap, for one thread at a time; false when it is in use or there is none.
bool enterSpareSmallBlocks();
void leaveSpareSmallBlocks();
inline constexpr std::size_t smallBlockLimit = 1024;
inline constexpr std::size_t smallBlockGrain = 16; // malloc's alignment
// The size of the small block a request of that size (at most smallBlockLimit) gets.
inline std::size_t smallBlockSizeFor(std::size_t size)
{
    return size ? (size + smallBlockGrain - 1) & ~(smallBlockGrain - 1) : smallBlockGrain;
}
// A block of that size (as smallBlockSizeFor gives); null when this thread has no small
// blocks or their address space is used up.
void *takeSmallBlock(std::size_t size);
// The size of a small block; 0 for any other block.
std::size_t smallBlockSize(const void *block);
// Gives the block back when it is a small one, and says its size; 0 for any other block.
std::size_t giveBackSmallBlock(void *block);
