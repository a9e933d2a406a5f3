#include "platform/xslt_run_limits.h"

#include <libxml/parser.h>
#include <libxml/xmlmemory.h>
#include <libxml/xpath.h>
#include <libxslt/xsltInternals.h>

#include <cstdlib>
#include <cstring>
#include <malloc.h>

namespace {

// Requests at least this large are refused once they would pass the memory bound; smaller
// ones go through, since libxml2 and libxslt need them to wind the stopped run down.
constexpr std::size_t largeRequest = std::size_t(1) << 20;
// The clock and the stop token are read once per this many allocations.
constexpr unsigned checkInterval = 1024;

thread_local XsltRunWatch *activeWatch = nullptr;

qint64 usableSize(void *block) { return block ? qint64(malloc_usable_size(block)) : 0; }

void *countedMalloc(std::size_t size)
{
    XsltRunWatch *watch = activeWatch;
    if (watch && !watch->admit(size))
        return nullptr;
    void *block = std::malloc(size);
    if (watch)
        watch->counted(usableSize(block));
    return block;
}

void countedFree(void *block)
{
    if (XsltRunWatch *watch = activeWatch)
        watch->counted(-usableSize(block));
    std::free(block);
}

void *countedRealloc(void *block, std::size_t size)
{
    XsltRunWatch *watch = activeWatch;
    if (watch && !watch->admit(size))
        return nullptr;
    const qint64 before = watch ? usableSize(block) : 0;
    void *moved = std::realloc(block, size);
    if (watch && moved)
        watch->counted(usableSize(moved) - before);
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

} // namespace

XsltRunWatch::XsltRunWatch(const XsltLimits &limits)
    : limits(limits),
      deadline(std::chrono::steady_clock::now() + std::chrono::milliseconds(limits.timeoutMs)),
      outer(activeWatch)
{
    activeWatch = this;
}

XsltRunWatch::~XsltRunWatch() { activeWatch = outer; }

void XsltRunWatch::watchParser(_xmlParserCtxt *watched)
{
    parser = watched;
    if (reason != XsltStopReason::None)
        stop(reason);
}

void XsltRunWatch::watchTransform(_xsltTransformContext *transform)
{
    ctxt = transform;
    if (reason != XsltStopReason::None)
        stop(reason);
}

bool XsltRunWatch::admit(std::size_t size)
{
    if (++allocations % checkInterval == 0)
        checkClockAndToken();
    if (used + qint64(size) <= limits.memoryBytes)
        return true;
    stop(XsltStopReason::MemoryLimit);
    return size < largeRequest;
}

void XsltRunWatch::checkClockAndToken()
{
    if (limits.stopToken && limits.stopToken->stopRequested())
        stop(XsltStopReason::Requested);
    else if (std::chrono::steady_clock::now() >= deadline)
        stop(XsltStopReason::TimeLimit);
}

// The transform ends at its next instruction; an XPath expression being evaluated ends at
// its next step, since its operation limit is used up.
void XsltRunWatch::stop(XsltStopReason why)
{
    if (reason == XsltStopReason::None)
        reason = why;
    if (parser) {
        // As after a failed allocation: the parser ends at its next step, building nothing.
        parser->instate = XML_PARSER_EOF;
        parser->disableSAX = 1;
    }
    if (!ctxt)
        return;
    ctxt->state = XSLT_STATE_STOPPED;
    if (ctxt->xpathCtxt) {
        ctxt->xpathCtxt->opLimit = 1;
        ctxt->xpathCtxt->opCount = 1;
    }
}

void installXsltAllocationHooks()
{
    xmlMemSetup(countedFree, countedMalloc, countedRealloc, countedStrdup);
}
