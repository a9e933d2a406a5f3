#pragma once

#include <QStringList>
#include <QtGlobal>

#include <atomic>
#include <cstddef>
#include <functional>
#include <mutex>

struct _xsltTransformContext;
struct _xmlParserCtxt;

// Bounds on one run of the built-in XSLT processor, and the means to stop it early.
//
// A run works on a thread of its own while the thread that started it watches the clock and
// the stop token. Every allocation libxml2 and libxslt make on the run's thread is counted
// against the memory bound, and a single large request beyond it is refused outright. When
// a bound is reached the run is told to stop: the transform ends at its next instruction,
// an XPath expression at its next step, a parse of the source document at its next read.
// A run that does not end within a second of being told (one XPath step that looks at
// nothing, such as the duplicate check of a large union) is left to finish on its own
// thread, its result dropped; while it is, a new run waits to start. The wait does not count
// against the new run's time; its stop token ends it.

// Set from any thread to stop a run that was given this token.
class XsltStopToken {
public:
    void requestStop() { requested.store(true, std::memory_order_relaxed); }
    bool stopRequested() const { return requested.load(std::memory_order_relaxed); }

private:
    std::atomic<bool> requested{false};
};

// Half the machine's physical memory, never below 2 GB.
qint64 machineMemoryBound();

struct XsltLimits {
    int timeoutMs = 30000;
    qint64 memoryBytes = machineMemoryBound();
    const XsltStopToken *stopToken = nullptr; // none: only the bounds stop the run
    // Called on the caller's thread when the run must first wait for one left to finish alone.
    std::function<void()> onWaiting;
    // The folders the stylesheet may read files from (imports, includes, document()), each
    // file directly in one of them; empty: any file. The XML document is read wherever it is.
    QStringList readableFolders;
};

enum class XsltStopReason { None, TimeLimit, MemoryLimit, Requested };

// How a watched run ended.
struct XsltRunEnd {
    XsltStopReason reason = XsltStopReason::None;
    qint64 memoryNeeded = 0; // after a memory stop: what the run held plus what it asked for
};

// The run's side of the bounds: what its thread has allocated, and the stop it was told.
class XsltRunWatch {
public:
    explicit XsltRunWatch(qint64 memoryBytes) : memoryBytes(memoryBytes) {}
    XsltRunWatch(const XsltRunWatch &) = delete;
    XsltRunWatch &operator=(const XsltRunWatch &) = delete;

    // On the run's thread: the transform or parse to stop (null: none any more); stopped
    // at once when the run already was.
    void watchTransform(_xsltTransformContext *ctxt);
    void watchParser(_xmlParserCtxt *parser);

    // From any thread; the first reason given is the one the run reports.
    void stop(XsltStopReason why);
    XsltRunEnd end() const;

    // Called by the allocation hooks on the run's thread.
    bool admit(std::size_t size)
    {
        if (reason.load(std::memory_order_relaxed) != XsltStopReason::None && !stoppedHere)
            stopOnThisThread();
        return used + qint64(size) <= memoryBytes || refuse(size);
    }
    void counted(qint64 bytes) { used += bytes; }

private:
    bool refuse(std::size_t size);
    void stopTransform();
    void stopOnThisThread();

    const qint64 memoryBytes;
    qint64 used = 0;
    std::atomic<qint64> needed{0};
    bool stoppedHere = false;
    std::atomic<XsltStopReason> reason{XsltStopReason::None};
    std::mutex watchedMutex; // guards the transform against a stop from another thread
    _xsltTransformContext *ctxt = nullptr;
    _xmlParserCtxt *parser = nullptr;
};

// Runs job on a thread of its own under the limits, its allocations counted by watch, and
// waits until it ends or, stopped by a bound or the token, winds down (at most a second).
// job must own everything it uses: a run left to finish alone outlives this call.
XsltRunEnd runWatched(const XsltLimits &limits, std::function<void(XsltRunWatch &watch)> job);
// Called from a job: cleanup runs on the job's thread once the waiting caller has its
// result, so a large page's trees are freed while the caller already shows the page.
void afterRunReported(std::function<void()> cleanup);

