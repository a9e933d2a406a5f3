#pragma once

#include <QtGlobal>

#include <atomic>
#include <chrono>
#include <cstddef>

struct _xsltTransformContext;
struct _xmlParserCtxt;

// Bounds on one run of the built-in XSLT processor, and the means to stop it early.
//
// While a run is watched, every allocation libxml2 and libxslt make on the run's thread is
// counted; every so often the clock and the stop token are looked at. When a bound is
// reached the transform is told to stop (it ends at its next instruction or XPath step),
// and so is a parse of the source document,
// and a single large request beyond the memory bound is refused outright.

// Set from any thread to stop a run that was given this token.
class XsltStopToken {
public:
    void requestStop() { requested.store(true, std::memory_order_relaxed); }
    bool stopRequested() const { return requested.load(std::memory_order_relaxed); }

private:
    std::atomic<bool> requested{false};
};

struct XsltLimits {
    int timeoutMs = 30000;
    qint64 memoryBytes = qint64(2) << 30;
    const XsltStopToken *stopToken = nullptr; // none: only the bounds stop the run
};

enum class XsltStopReason { None, TimeLimit, MemoryLimit, Requested };

// Watches the calling thread's libxml2/libxslt work from construction to destruction.
class XsltRunWatch {
public:
    explicit XsltRunWatch(const XsltLimits &limits);
    ~XsltRunWatch();
    XsltRunWatch(const XsltRunWatch &) = delete;
    XsltRunWatch &operator=(const XsltRunWatch &) = delete;

    // The transform to stop when a bound is reached (stopped at once if one already was).
    void watchTransform(_xsltTransformContext *ctxt);
    // The parse to stop when a bound is reached (null: none any more).
    void watchParser(_xmlParserCtxt *parser);
    XsltStopReason stopReason() const { return reason; }

    // Called by the allocation hooks.
    bool admit(std::size_t size);
    void counted(qint64 bytes) { used += bytes; }

private:
    void checkClockAndToken();
    void stop(XsltStopReason why);

    const XsltLimits limits;
    const std::chrono::steady_clock::time_point deadline;
    XsltRunWatch *const outer;
    _xsltTransformContext *ctxt = nullptr;
    _xmlParserCtxt *parser = nullptr;
    qint64 used = 0;
    unsigned allocations = 0;
    XsltStopReason reason = XsltStopReason::None;
};

// Routes libxml2's allocations through the counting hooks; call once before parsing.
void installXsltAllocationHooks();
