#include "platform/xslt/xslt_run_limits.h"

#include "platform/heap_setup.h"

#include <libxml/parser.h>
#include <libxml/xmlmemory.h>
#include <libxml/xpath.h>
#include <libxslt/xsltInternals.h>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

// Requests at least this large are refused once they would pass the memory bound; smaller
// ones go through, since libxml2 and libxslt need them to wind the stopped run down.
constexpr std::size_t largeRequest = std::size_t(1) << 20;
thread_local XsltRunWatch *activeWatch = nullptr;

// Every block carries its size in front, so a free knows what to give back without asking
// the allocator. The second word tells our blocks from any allocated before the hooks.
struct BlockHeader {
    std::size_t size;
    std::size_t check;
};
constexpr std::size_t headerSize = sizeof(BlockHeader); // keeps malloc's alignment
constexpr std::size_t checkKey = 0x54617276696b4d4dULL;
// Larger requests are refused before the header's bytes are added to them.
constexpr std::size_t largestBlock = PTRDIFF_MAX - headerSize;

BlockHeader *headerOf(void *block)
{
    auto *header = reinterpret_cast<BlockHeader *>(static_cast<char *>(block) - headerSize);
    return header->check == (header->size ^ checkKey) ? header : nullptr;
}

void *withHeader(void *raw, std::size_t size)
{
    if (!raw)
        return nullptr;
    auto *header = static_cast<BlockHeader *>(raw);
    *header = {size, size ^ checkKey};
    return static_cast<char *>(raw) + headerSize;
}

void *countedMalloc(std::size_t size)
{
    if (size > largestBlock)
        return nullptr;
    XsltRunWatch *watch = activeWatch;
    const std::size_t small = size <= smallBlockLimit ? smallBlockSizeFor(size) : 0;
    if (watch && !watch->admit(small ? small : size))
        return nullptr;
    if (void *block = small ? takeSmallBlock(small) : nullptr) {
        if (watch)
            watch->counted(qint64(small));
        return block;
    }
    void *block = withHeader(std::malloc(size + headerSize), size);
    adviseHeapGrowth();
    if (watch && block)
        watch->counted(qint64(size));
    return block;
}

void countedFree(void *block)
{
    if (!block)
        return;
    if (const std::size_t size = giveBackSmallBlock(block)) {
        if (XsltRunWatch *watch = activeWatch)
            watch->counted(-qint64(size));
        return;
    }
    BlockHeader *header = headerOf(block);
    if (!header)
        return std::free(block);
    if (XsltRunWatch *watch = activeWatch)
        watch->counted(-qint64(header->size));
    header->check = 0;
    std::free(header);
}

void *countedRealloc(void *block, std::size_t size)
{
    if (!block)
        return countedMalloc(size);
    if (const std::size_t held = smallBlockSize(block)) {
        if (size <= held)
            return block;
        void *moved = countedMalloc(size);
        if (moved) {
            std::memcpy(moved, block, held);
            countedFree(block);
        }
        return moved;
    }
    BlockHeader *header = headerOf(block);
    if (!header)
        return std::realloc(block, size);
    if (size > largestBlock)
        return nullptr;
    XsltRunWatch *watch = activeWatch;
    const std::size_t before = header->size;
    if (watch && size > before && !watch->admit(size - before))
        return nullptr;
    void *moved = withHeader(std::realloc(header, size + headerSize), size);
    adviseHeapGrowth();
    if (watch && moved)
        watch->counted(qint64(size) - qint64(before));
    return moved;
}

char *countedStrdup(const char *text)
{
    const std::size_t size = std::strlen(text) + 1;
    auto *copy = static_cast<char *>(countedMalloc(size));
    if (copy)
        std::memcpy(copy, text, size);
    return copy;
}

// libxml2's allocations go through the hooks as the program starts, before anything of it
// can allocate a block the hooks would later be asked to free or resize.
[[maybe_unused]] const bool hooksInstalled =
    xmlMemSetup(countedFree, countedMalloc, countedRealloc, countedStrdup) == 0;

} // namespace

qint64 machineMemoryBound()
{
    const qint64 physical = qint64(sysconf(_SC_PHYS_PAGES)) * qint64(sysconf(_SC_PAGE_SIZE));
    return std::max(qint64(2) << 30, physical / 2);
}

void XsltRunWatch::watchParser(_xmlParserCtxt *watched)
{
    parser = watched;
    if (stopped())
        stopWatched();
}

void XsltRunWatch::watchTransform(_xsltTransformContext *transform)
{
    ctxt = transform;
    if (stopped())
        stopWatched();
}

bool XsltRunWatch::refuse(std::size_t size)
{
    if (needed == 0)
        needed = used + qint64(size);
    stopWatched();
    return size < largeRequest;
}

// The transform ends at its next instruction; an XPath expression being evaluated ends at
// its next step, since its operation limit is used up; a parse ends at its next step,
// building nothing, as after a failed allocation.
void XsltRunWatch::stopWatched()
{
    if (parser) {
        parser->instate = XML_PARSER_EOF;
        parser->disableSAX = 1;
    }
    if (!ctxt)
        return;
    ctxt->state = XSLT_STATE_STOPPED;
    if (ctxt->xpathCtxt)
        ctxt->xpathCtxt->opLimit = 1;
}

CountedAllocations::CountedAllocations(XsltRunWatch &watch)
    : outer(std::exchange(activeWatch, &watch))
{
}

CountedAllocations::~CountedAllocations() { activeWatch = outer; }
