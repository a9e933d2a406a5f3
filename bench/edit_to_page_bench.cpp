// Edit to page: 30 committed edits (a store write, then runIfAutoRun) on a 20,000-row
// document with Auto-Reload ticked and the row limit "first 50", one every 100 ms (3
// seconds) and one every 10 ms (a burst). Counts the transforms the render queue starts
// and the longest stall of the user-interface thread, measured as the longest gap between
// ticks of a 2 ms timer.
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

constexpr int rowCount = 20000;
constexpr int editCount = 30;

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

    QTemporaryDir dir;
    TableDocument &doc = bench::buildRowsTable(dir, rowCount);
    doc.rowLimitIndex = bench::first50;
    doc.autoReload = 1;
    PagesShown preview;
    workspace().currentViews().result = &preview;

    for (auto _ : state) {
        const int before = renderQueue().transformsStarted();
        qint64 longestGap = 0;
        QElapsedTimer sinceTick;
        sinceTick.start();
        QTimer ticks;
        QObject::connect(&ticks, &QTimer::timeout, [&] {
            longestGap = std::max(longestGap, sinceTick.restart());
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
        state.counters["edits"] = edits;
        state.counters["transforms"] = renderQueue().transformsStarted() - before;
        state.counters["pages_shown"] = preview.pages;
        state.counters["longest_stall_ms"] = double(longestGap);
    }
    workspace().currentViews().result = nullptr;
}

} // namespace

BENCHMARK(BM_EditToPage)->Arg(100)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(1);
