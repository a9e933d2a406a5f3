#pragma once

#include "documents/workspace.h"
#include "generator/preview_render.h"

#include <QObject>
#include <QThreadPool>
#include <array>
#include <memory>

// Renders for the preview without blocking the user-interface thread. The stylesheet is
// generated on that thread when a render starts; the transform and the writing of the
// page files run on a worker. Per slot at most one transform is in flight and one render
// waits: requests made meanwhile join the waiting one, and a transform that a newer
// request supersedes is stopped, its result dropped, never shown. A plug-in run waits
// while another one reads the same stylesheet file, which it would overwrite. A slot that
// forgets its renders stops its transform, and so does the program when it ends. Results
// go to the slot's preview window (PreviewView::showRendered) or, for the browser, to
// UiServices::openInBrowser.
class RenderQueue final : public QObject {
    Q_OBJECT
public:
    enum Target { Window = 1, Browser = 2 };

    RenderQueue();
    ~RenderQueue() override;

    // Asks for a render of the current slot; it starts once this thread is idle.
    void request(Target target);
    // What is asked or in flight for the slot ends unseen.
    void stop(int slot);
    // The slot got another table or was closed: as stop, and its parsed XML document is
    // not used again.
    void forget(int slot);
    // True while the slot has a render asked for or in flight.
    bool busy(int slot) const;
    // Transforms started since the program began.
    int transformsStarted() const { return started; }
    // Waits until no render is asked for or in flight (for tools and tests).
    void waitIdle();

private:
    struct SlotState {
        int waiting = 0;      // targets of the render asked for, 0 for none
        int inFlight = 0;     // targets of the transform running, 0 for none
        bool startQueued = false;
        unsigned ticket = 0;  // grows when the slot forgets what it asked
        std::shared_ptr<XsltStopToken> stopper; // stops the transform in flight
        QString pluginFile;   // the stylesheet file a plug-in run in flight reads, or ""
    };

    void queueStart(int slot);
    void start(int slot);
    bool pluginFileInUse(const QString &file) const;
    void startHeldBack(int finishedSlot);
    void finished(int slot, unsigned ticket, int targets, const TransformResult &result,
                  const QStringList &unwritten);
    static void deliver(int slot, int targets, const RenderOutcome &outcome);

    std::array<SlotState, maxTables> states{};
    QThreadPool workers;
    int started = 0;
};

// The program's render queue; created on first use, on the user-interface thread.
RenderQueue &renderQueue();
