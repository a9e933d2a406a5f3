// Edit to page: committed edits (a store write, then runIfAutoRun) with Auto-Reload
// ticked: 30 on a 20,000-row document with the row limit "first 50", one every 100 ms (3
// seconds) and one every 10 ms (a burst), and a burst of 3 on a 100,000-row document
// with all rows. Counts the transforms the render queue starts and the longest stall of
// the user-interface thread, measured as the longest gap between ticks of a 2 ms timer,
// up to the first tick after the last page was shown.
#include "documents/store_access.h"
#include "documents/text_files.h"
#include "documents/workspace.h"
#include "generator/render_queue.h"
#include "rows_table.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {


// The preview as the model reaches it, without a window: Reload asks the render queue.
struct PagesShown final : PreviewView {
    int pages = 0;
    void runit_Click() override { renderQueue().request(RenderQueue::Window); }
    void setRowLimitIndex(int) override {}
    void setAutoReload(int) override {}
    void showRendered(const RenderOutcome &outcome) override { pages += outcome.rendered; }
};

void BM_EditToPage(benchmark::State &state)
{
    static int argc = 1;
    static char name[] = "edit_to_page_bench";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);

    const int editCount = int(state.range(3));
    QTemporaryDir dir;
    TableDocument &doc = bench::buildRowsTable(dir, int(state.range(1)));
    doc.rowLimitIndex = int(state.range(2));
    doc.autoReload = 1;
    PagesShown preview;
    workspace().currentViews().result = &preview;

    for (auto _ : state) {
        const int before = renderQueue().transformsStarted();
        qint64 longestGap = 0;
        int tickCount = 0;
        QElapsedTimer sinceTick;
        sinceTick.start();
        QTimer ticks;
        QObject::connect(&ticks, &QTimer::timeout, [&] {
            longestGap = std::max(longestGap, sinceTick.restart());
            ++tickCount;
        });
        ticks.start(2);
        int edits = 0;
        QTimer editor;
        QObject::connect(&editor, &QTimer::timeout, [&] {
            setKey(QStringLiteral("Header Title-c1"), QStringLiteral("Title %1").arg(++edits), true);
            runIfAutoRun();
            if (edits == editCount)
                editor.stop();
        });
        editor.start(int(state.range(0)));
        while (editor.isActive() || renderQueue().busy(0))
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        // The last page's own stall ends at the next tick.
        for (const int shown = tickCount; tickCount == shown;)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        state.counters["edits"] = edits;
        state.counters["transforms"] = renderQueue().transformsStarted() - before;
        state.counters["pages_shown"] = preview.pages;
        state.counters["longest_stall_ms"] = double(longestGap);
    }
    workspace().currentViews().result = nullptr;
}

} // namespace

// Arguments: ms between edits, rows, row-limit index, edits.
BENCHMARK(BM_EditToPage)
    ->Args({100, 20000, bench::first50, 30})
    ->Args({10, 20000, bench::first50, 30})
    ->Args({10, 100000, 0, 3})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
