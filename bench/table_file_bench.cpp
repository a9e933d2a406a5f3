// Writing and reading a large table file: 100 columns of 5 attributes, 1,000 property
// values of 1 KB of code each, and a 4 MB XML text kept in the file.
#include "documents/table_file_reader.h"
#include "documents/table_file_writer.h"
#include "documents/workspace.h"

#include <benchmark/benchmark.h>

namespace {

void buildLargeTable()
{
    resetWorkspace();
    TableDocument &doc = workspace().current();
    doc.xmlPath = "/data/large.xml";
    doc.xmlText = QString("<row><cell>value</cell></row>\r\n").repeated(4 * 1024 * 1024 / 32);
    const QString code = QString("<xsl:value-of select='.'/>\r\n").repeated(1024 / 28);
    for (int column = 0; column < 100; ++column) {
        const QString name = QString("column%1").arg(column);
        doc.tree.add("Table", name, name);
        for (int attribute = 0; attribute < 5; ++attribute) {
            const QString attName = QString("att%1").arg(attribute);
            doc.tree.add(name, name + "-" + attName, attName);
            doc.store.set("XSL Code-" + name + "@" + attName, code);
            doc.store.set("Xpath-" + name + "@" + attName, "/rows/row/cell");
        }
    }
}

void BM_SerializeTable(benchmark::State &state)
{
    buildLargeTable();
    const QStringList pieces(6, QString("<xsl:stylesheet/>\r\n").repeated(10000));
    for (auto _ : state)
        benchmark::DoNotOptimize(serializeTableWith(pieces));
}
BENCHMARK(BM_SerializeTable)->Unit(benchmark::kMillisecond);

void BM_ReadTable(benchmark::State &state)
{
    buildLargeTable();
    const QString text = serializeTableWith({});
    workspace().startupLoading = true;
    for (auto _ : state) {
        workspace().current().reset();
        readTableText("large.tvk", text);
    }
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}
BENCHMARK(BM_ReadTable)->Unit(benchmark::kMillisecond);

} // namespace
