#include "generator/render_queue.h"

#include "documents/views/preview_view.h"
#include "documents/workspace.h"
#include "generator/xsl_generator.h"
#include "platform/ui/ui_services.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>
#include <algorithm>
#include <utility>

RenderQueue::RenderQueue()
{
    // Runs are independent (each has its own error capture and bounds), and a slot has at
    // most one in flight: tables render side by side.
    workers.setMaxThreadCount(std::max(2, QThread::idealThreadCount() / 2));
}

RenderQueue::~RenderQueue()
{
    for (const SlotState &state : states)
        if (state.stopper)
            state.stopper->requestStop(); // nobody is left to see the pages
    workers.waitForDone();
}

void RenderQueue::request(Target target)
{
    const int slot = workspace().curTable;
    SlotState &state = states[size_t(slot)];
    state.waiting |= target;
    if (state.stopper)
        state.stopper->requestStop(); // superseded: its page would never be shown
    queueStart(slot);
}

void RenderQueue::queueStart(int slot)
{
    SlotState &state = states[size_t(slot)];
    if (state.startQueued || state.inFlight || !state.waiting)
        return;
    state.startQueued = true;
    QMetaObject::invokeMethod(
        this, [this, slot] { start(slot); }, Qt::QueuedConnection);
}

void RenderQueue::stop(int slot)
{
    SlotState &state = states[size_t(slot)];
    state.waiting = 0;
    ++state.ticket;
    if (state.stopper)
        state.stopper->requestStop(); // nobody will see its page
}

void RenderQueue::forget(int slot)
{
    stop(slot);
    forgetXmlSource(slot);
}

bool RenderQueue::busy(int slot) const
{
    const SlotState &state = states[size_t(slot)];
    return state.waiting || state.inFlight;
}

void RenderQueue::waitIdle()
{
    while (std::any_of(states.begin(), states.end(),
                       [](const SlotState &s) { return s.waiting || s.inFlight; })) {
        workers.waitForDone(10);
        QCoreApplication::processEvents();
    }
}

void RenderQueue::start(int slot)
{
    SlotState &state = states[size_t(slot)];
    state.startQueued = false;
    if (state.inFlight || !state.waiting)
        return;
    const CurTableGuard onSlot(slot);
    const QString pluginFile = pluginStylesheetPath();
    if (pluginFileInUse(pluginFile))
        return; // starts when the run reading that file ends
    const int targets = state.waiting;
    state.waiting = 0;
    generateXSLCode(false);
    std::optional<TransformJob> job = beginRender(RunTrust::ByFolder);
    if (!job) {
        deliver(slot, targets, pluginHeldBackOutcome());
        return;
    }
    state.inFlight = targets;
    state.pluginFile = job->plugIn ? pluginFile : QString();
    state.stopper = std::make_shared<XsltStopToken>();
    job->limits.stopToken = state.stopper.get();
    ++started;
    const unsigned ticket = state.ticket;
    QPointer<RenderQueue> self(this);
    workers.start([self, slot, ticket, targets, job = std::move(*job), token = state.stopper] {
        const TransformResult result = runTransformJob(job);
        // A page nobody will see is not written.
        const QStringList unwritten = token->stopRequested()
                                          ? QStringList()
                                          : writePageFiles(result.html, slot, targets & Window);
        QMetaObject::invokeMethod(
            self.get(),
            [self, slot, ticket, targets, result, unwritten] {
                if (self)
                    self->finished(slot, ticket, targets, result, unwritten);
            },
            Qt::QueuedConnection);
    });
}

bool RenderQueue::pluginFileInUse(const QString &file) const
{
    return !file.isEmpty() && std::any_of(states.begin(), states.end(), [&](const SlotState &s) {
               return s.pluginFile == file;
           });
}

void RenderQueue::startHeldBack(int finishedSlot)
{
    for (int other = 0; other < maxTables; ++other)
        if (other != finishedSlot)
            queueStart(other);
}

void RenderQueue::finished(int slot, unsigned ticket, int targets, const TransformResult &result,
                           const QStringList &unwritten)
{
    SlotState &state = states[size_t(slot)];
    state.inFlight = 0;
    state.stopper.reset();
    if (!std::exchange(state.pluginFile, QString()).isEmpty())
        startHeldBack(slot);
    if (ticket != state.ticket) {
        queueStart(slot); // the slot forgot it; a render asked for since may start now
        return;
    }
    if (state.waiting) {
        // Superseded: the newer render takes over whatever this one was for.
        state.waiting |= targets;
        queueStart(slot);
        return;
    }
    const CurTableGuard onSlot(slot);
    deliver(slot, targets, finishRender(result, unwritten, targets & Window, RunTrust::ByFolder));
}

void RenderQueue::deliver(int slot, int targets, const RenderOutcome &outcome)
{
    // A render refused before it started says why in the preview's status line.
    if ((targets & Window) || !outcome.rendered)
        if (PreviewView *preview = workspace().views[size_t(slot)].result)
            preview->showRendered(outcome);
    if ((targets & Browser) && outcome.rendered)
        ui().openInBrowser(pageAddress(previewPagePath(slot)), outcome.caption);
}

RenderQueue &renderQueue()
{
    static RenderQueue queue;
    return queue;
}
