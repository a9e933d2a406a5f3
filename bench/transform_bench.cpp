// The built-in processor against xsltproc as the plug-in, over a 100,000-row XML document
// and a six-column table, with the preview's row limit "first 50" and with all rows.
#include "documents/store_access.h"
#include "documents/text_files.h"
#include "documents/workspace.h"
#include "generator/transform.h"
#include "generator/xsl_generator.h"
#include "platform/xml_source_cache.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int rowCount = 100000;
constexpr int columnCount = 6;
constexpr int allRows = 0;
constexpr int first50 = 4; // row-limit list index of "first 50"

QString rowsXml()
{
    QString xml = QStringLiteral("<rows>");
    for (int row = 1; row <= rowCount; ++row) {
        xml += QStringLiteral("<row>");
        for (int column = 1; column <= columnCount; ++column)
            xml += QStringLiteral("<c%1>value %2.%1</c%1>").arg(column).arg(row);
        xml += QStringLiteral("</row>");
    }
    return xml + QStringLiteral("</rows>");
}

// A saved six-column table in a data folder of its own, with its XML document and the
// preview stylesheets of both row limits.
struct BenchTable {
    QTemporaryDir dir;
    QString xmlPath;
    QString xsl[2];

    BenchTable()
    {
        qputenv("TARVIK_HOME", dir.path().toUtf8());
        resetWorkspace();
        TableDocument &doc = workspace().current();
        doc.tablePath = dir.filePath(QStringLiteral("Bench.tvk"));
        xmlPath = dir.filePath(QStringLiteral("rows.xml"));
        writeFile(xmlPath, rowsXml(), true);
        setKey(QStringLiteral("Xpath-Table"), QStringLiteral("/rows/row"), false);
        setKey(QStringLiteral("Headers Visible-Table"), QStringLiteral("True"), false);
        for (int column = 1; column <= columnCount; ++column) {
            const QString name = QStringLiteral("c%1").arg(column);
            doc.tree.add(StructureTree::tableKey, name, name);
            doc.tree.add(name, name + QStringLiteral("-value"), QStringLiteral("value"));
            setKey(QStringLiteral("Type-") + name, QStringLiteral("Text"), false);
            setKey(QStringLiteral("Xpath-") + name + QStringLiteral("@value"),
                   QStringLiteral("/rows/row/") + name, false);
        }
        for (int limit : {allRows, first50}) {
            doc.rowLimitIndex = limit;
            generateXSLCode(false);
            xsl[limit == first50] = doc.xslGenerated;
        }
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
    const QString &xsl = t.xsl[state.range(0) == first50];
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

// The preview's way: the parsed document is kept between renders (the first iteration,
// not timed, parses it).
void BM_BuiltInKeptDocument(benchmark::State &state)
{
    BenchTable &t = table();
    setKey(QStringLiteral("Use Plug In XSLT-Table"), QStringLiteral("False"), false);
    TransformJob job = prepareTransform(t.xmlPath, t.xsl[state.range(0) == first50]);
    job.sources = std::make_shared<XmlSourceCache>();
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
