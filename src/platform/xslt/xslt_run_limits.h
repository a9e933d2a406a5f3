#pragma once

#include <QStringList>
#include <QtGlobal>

#include <atomic>
#include <cstddef>

struct _xsltTransformContext;
struct _xmlParserCtxt;

// Bounds on one run of the built-in XSLT processor, and the means to stop it early.
//
// A run works in a worker process (xslt_workers.h), which is ended when the run is stopped
// or its time is up, whatever step it is in. The memory bound the run holds itself: every
// allocation libxml2 and libxslt make for it is counted against the bound, and a single
// large request beyond it is refused outright; the transform then ends at its next
// instruction, an XPath expression at its next step, a parse of the source document at its
// next read.

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

// The largest page a run gives: the browser's renderer takes several times a page's size and
// fails on a page much larger than this.
inline constexpr qint64 pageBound = qint64(768) << 20;

struct XsltLimits {
    int timeoutMs = 30000; // held by the caller of the worker
    qint64 memoryBytes = machineMemoryBound(); // held by the run
    qint64 pageBytes = pageBound; // held by the caller of the worker
    const XsltStopToken *stopToken = nullptr; // none: only the bounds stop the run
    // The folders the stylesheet may read files from (imports, includes, document()), each
    // file directly in one of them; empty: any file. The XML document is read wherever it is.
    QStringList readableFolders;
};

enum class XsltStopReason { None, TimeLimit, MemoryLimit, PageLimit, Requested };

// What one run has allocated, and whether it passed its memory bound. It watches the
// transform or parse working on the thread that counts into it, and stops that one when an
// allocation would pass the bound.
class XsltRunWatch {
public:
    explicit XsltRunWatch(qint64 memoryBytes) : memoryBytes(memoryBytes) {}
    XsltRunWatch(const XsltRunWatch &) = delete;
    XsltRunWatch &operator=(const XsltRunWatch &) = delete;

    // The transform or parse to stop (null: none any more); stopped at once when the run
    // already passed its bound.
    void watchTransform(_xsltTransformContext *ctxt);
    void watchParser(_xmlParserCtxt *parser);

    bool stopped() const { return needed != 0; }
    // After a stop: what the run held plus what it asked for.
    qint64 memoryNeeded() const { return needed; }

    // Called by the allocation hooks.
    bool admit(std::size_t size) { return used + qint64(size) <= memoryBytes || refuse(size); }
    void counted(qint64 bytes) { used += bytes; }

private:
    bool refuse(std::size_t size);
    void stopWatched();

    const qint64 memoryBytes;
    qint64 used = 0;
    qint64 needed = 0;
    _xsltTransformContext *ctxt = nullptr;
    _xmlParserCtxt *parser = nullptr;
};

// While it lives, what libxml2 and libxslt allocate on this thread is counted by watch.
class CountedAllocations {
public:
    explicit CountedAllocations(XsltRunWatch &watch);
    ~CountedAllocations();
    CountedAllocations(const CountedAllocations &) = delete;
    CountedAllocations &operator=(const CountedAllocations &) = delete;

private:
    XsltRunWatch *outer;
};
