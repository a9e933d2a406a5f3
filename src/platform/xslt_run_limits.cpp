#include "platform/xslt_run_limits.h"

#include "platform/heap_setup.h"

#include <libxml/parser.h>
#include <libxml/xmlmemory.h>
#include <libxml/xpath.h>
#include <libxslt/xsltInternals.h>

#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

namespace {

// Requests at least this large are refused once they would pass the memory bound; smaller
// ones go through, since libxml2 and libxslt need them to wind the stopped run down.
constexpr std::size_t largeRequest = std::size_t(1) << 20;
// How often the waiting thread looks at the stop token.
constexpr std::chrono::milliseconds tokenInterval(50);
// How long a stopped run may take to wind down before it is left to finish alone.
constexpr std::chrono::seconds windDown(1);
// How many runs may be left to finish alone at once; a new run waits until fewer are, so
// runaway steps never pile up on the machine.
constexpr int maxLeftAlone = 1;
std::atomic<int> leftAlone{0};

thread_local XsltRunWatch *activeWatch = nullptr;
thread_local std::vector<std::function<void()>> cleanups;

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
    if (watch && !watch->admit(size))
        return nullptr;
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

// What the waiting thread and the run's thread share; the last of them frees it.
struct WatchedRun {
    explicit WatchedRun(qint64 memoryBytes) : watch(memoryBytes) {}
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    bool givenUp = false; // left to finish alone, counted in leftAlone
    XsltRunWatch watch;
};

// The threads runs work on. A run takes an idle one, or starts one when none is: a run
// left to finish alone holds its thread. They stay for the next run, so one after the other
// runs use one thread and its allocator arena; a thread counts as idle before the run it
// finished is told so. Never destroyed, so that the program's end waits for none of them.
class RunThreads {
public:
    static RunThreads &instance()
    {
        static auto *const threads = new RunThreads;
        return *threads;
    }

    // work runs on one of the threads; then runs after it, the thread already idle.
    void start(std::function<void()> work, std::function<void()> then)
    {
        const std::lock_guard lock(mutex);
        queue.push_back({std::move(work), std::move(then)});
        if (std::ssize(queue) > idle)
            std::thread([this] { serve(); }).detach();
        else
            wake.notify_one();
    }

private:
    struct Task {
        std::function<void()> work;
        std::function<void()> then;
    };

    [[noreturn]] void serve()
    {
        std::unique_lock lock(mutex);
        ++idle;
        for (;;) {
            wake.wait(lock, [this] { return !queue.empty(); });
            --idle;
            Task task = std::move(queue.front());
            queue.pop_front();
            lock.unlock();
            task.work();
            task.work = nullptr; // what it held goes now, outside the lock
            lock.lock();
            ++idle;
            task.then();
            lock.unlock();
            runCleanups();
            lock.lock();
        }
    }

    static void runCleanups()
    {
        for (const std::function<void()> &cleanup : std::exchange(cleanups, {}))
            cleanup();
    }

    std::mutex mutex;
    std::condition_variable wake;
    std::deque<Task> queue;
    qsizetype idle = 0;
};

// Why the run must stop now, as seen from the waiting thread.
XsltStopReason dueStop(const XsltLimits &limits, std::chrono::steady_clock::time_point deadline)
{
    if (limits.stopToken && limits.stopToken->stopRequested())
        return XsltStopReason::Requested;
    if (std::chrono::steady_clock::now() >= deadline)
        return XsltStopReason::TimeLimit;
    return XsltStopReason::None;
}

// Waits until fewer than the allowed runs are left to finish alone, saying so first; only the
// stop token ends the wait early, or stops a run before it begins.
XsltStopReason awaitRoom(const XsltLimits &limits)
{
    if (leftAlone.load() >= maxLeftAlone && limits.onWaiting)
        limits.onWaiting();
    for (;;) {
        if (limits.stopToken && limits.stopToken->stopRequested())
            return XsltStopReason::Requested;
        if (leftAlone.load() < maxLeftAlone)
            return XsltStopReason::None;
        std::this_thread::sleep_for(tokenInterval);
    }
}

} // namespace

qint64 machineMemoryBound()
{
    const qint64 physical = qint64(sysconf(_SC_PHYS_PAGES)) * qint64(sysconf(_SC_PAGE_SIZE));
    return std::max(qint64(2) << 30, physical / 2);
}

void XsltRunWatch::watchParser(_xmlParserCtxt *watched)
{
    parser = watched;
    if (reason.load() != XsltStopReason::None)
        stopOnThisThread();
}

void XsltRunWatch::watchTransform(_xsltTransformContext *transform)
{
    {
        const std::lock_guard lock(watchedMutex);
        ctxt = transform;
    }
    if (reason.load() != XsltStopReason::None)
        stopOnThisThread();
}

bool XsltRunWatch::refuse(std::size_t size)
{
    if (needed.load() == 0)
        needed.store(used + qint64(size));
    stop(XsltStopReason::MemoryLimit);
    stopOnThisThread();
    return size < largeRequest;
}

// The parse waits for the run's own next allocation; the transform is told at once.
void XsltRunWatch::stop(XsltStopReason why)
{
    XsltStopReason none = XsltStopReason::None;
    reason.compare_exchange_strong(none, why);
    stopTransform();
}

XsltRunEnd XsltRunWatch::end() const { return {reason.load(), needed.load()}; }

// The transform ends at its next instruction; an XPath expression being evaluated ends at
// its next step, since its operation limit is used up. libxslt and libxml2 only read these
// two or write what ends the run as well, so another thread may set them.
void XsltRunWatch::stopTransform()
{
    const std::lock_guard lock(watchedMutex);
    if (!ctxt)
        return;
    std::atomic_ref(ctxt->state).store(XSLT_STATE_STOPPED, std::memory_order_relaxed);
    if (ctxt->xpathCtxt)
        std::atomic_ref(ctxt->xpathCtxt->opLimit).store(1, std::memory_order_relaxed);
}

// A parse ends at its next step, building nothing, as after a failed allocation.
void XsltRunWatch::stopOnThisThread()
{
    stoppedHere = true;
    if (parser) {
        parser->instate = XML_PARSER_EOF;
        parser->disableSAX = 1;
    }
    stopTransform();
}

void afterRunReported(std::function<void()> cleanup) { cleanups.push_back(std::move(cleanup)); }

XsltRunEnd runWatched(const XsltLimits &limits, std::function<void(XsltRunWatch &watch)> job)
{
    if (const XsltStopReason why = awaitRoom(limits); why != XsltStopReason::None)
        return {why, 0}; // stopped before it began
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(limits.timeoutMs);
    const auto run = std::make_shared<WatchedRun>(limits.memoryBytes);
    RunThreads::instance().start(
        [run, job = std::move(job)] {
            activeWatch = &run->watch;
            job(run->watch);
            activeWatch = nullptr;
        },
        [run] {
            const std::lock_guard lock(run->mutex);
            run->done = true;
            if (run->givenUp)
                --leftAlone;
            run->ended.notify_all();
        });

    const auto isDone = [&run] { return run->done; };
    std::unique_lock lock(run->mutex);
    while (!run->ended.wait_for(lock, tokenInterval, isDone)) {
        const XsltStopReason why = dueStop(limits, deadline);
        if (why == XsltStopReason::None)
            continue;
        run->watch.stop(why);
        run->givenUp = !run->ended.wait_for(lock, windDown, isDone);
        if (run->givenUp)
            ++leftAlone;
        break;
    }
    return run->watch.end();
}
