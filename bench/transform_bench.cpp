// The built-in processor against xsltproc as the plug-in, over a 100,000-row XML document
// and a six-column table, with the preview's row limit "first 50" and with all rows.
#include "documents/store_access.h"
#include "documents/text_files.h"
#include "documents/workspace.h"
#include "generator/transform.h"
#include "generator/xsl_generator.h"
#include "rows_table.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int rowCount = 100000;
constexpr int allRows = 0;
using bench::first50;

// A saved six-column table in a data folder of its own, with its XML document.
struct BenchTable {
    QTemporaryDir dir;
    QString xmlPath;

    BenchTable() { xmlPath = bench::buildRowsTable(dir, rowCount).xmlPath; }

    // The preview stylesheet of the row limit, generated into the slot as a render does.
    QString stylesheet(int limit)
    {
        workspace().current().rowLimitIndex = limit;
        generateXSLCode(false);
        return workspace().current().xslGenerated;
    }
};

BenchTable &table()
{
    static BenchTable instance;
    return instance;
}

void transformWith(benchmark::State &state, bool plugIn)
{
    BenchTable &t = table();
    setKey(QStringLiteral("Use Plug In XSLT-Table"),
           plugIn ? QStringLiteral("True") : QStringLiteral("False"), false);
    setKey(QStringLiteral("XSLT Command Line-Table"),
           QStringLiteral("xsltproc xslFileName xmlFileName"), false);
    const QString xsl = t.stylesheet(int(state.range(0)));
    qsizetype pageSize = 0;
    for (auto _ : state) {
        const TransformResult result = runTransform(t.xmlPath, xsl);
        if (!result.ok) {
            state.SkipWithError("transform failed");
            return;
        }
        pageSize = result.html.size();
    }
    state.counters["page_chars"] = double(pageSize);
}

void BM_BuiltIn(benchmark::State &state) { transformWith(state, false); }

// The preview's way: the worker keeps the parsed document between renders (the first
// iteration, not timed, parses it).
void BM_BuiltInKeptDocument(benchmark::State &state)
{
    BenchTable &t = table();
    setKey(QStringLiteral("Use Plug In XSLT-Table"), QStringLiteral("False"), false);
    TransformJob job = prepareTransform(t.xmlPath, t.stylesheet(int(state.range(0))));
    job.keptAs = QStringLiteral("bench");
    if (!runTransformJob(job).ok) {
        state.SkipWithError("transform failed");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(runTransformJob(job));
}
void BM_PlugInXsltproc(benchmark::State &state) { transformWith(state, true); }

} // namespace

BENCHMARK(BM_BuiltIn)->Arg(first50)->Arg(allRows)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BuiltInKeptDocument)->Arg(first50)->Arg(allRows)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_PlugInXsltproc)->Arg(first50)->Arg(allRows)->Unit(benchmark::kMillisecond)->Iterations(3);
