// Generation time of a table's stylesheet for 60 and 240 columns; it should grow about
// linearly with the number of columns, and with the number of attributes per column.
#include "documents/column_types.h"
#include "documents/store_access.h"
#include "documents/workspace.h"
#include "generator/xsl_generator.h"

#include <benchmark/benchmark.h>

namespace {

const char *const types[] = {"Text", "Text (HTML segment)", "Web Link", "Image",
                             "Input Field", "Hidden Field", "Select", "Input Text Box (Textarea)"};

void buildTable(int columns, int extraAttributes = 0)
{
    resetWorkspace();
    TableDocument &doc = workspace().current();
    doc.tablePath = QStringLiteral("/tmp/bench/T.tvk");
    setKey(QStringLiteral("Xpath-Table"), QStringLiteral("/rows/row"), false);
    setKey(QStringLiteral("Headers Visible-Table"), QStringLiteral("True"), false);
    for (int c = 0; c < columns; ++c) {
        const QString name = QStringLiteral("column%1").arg(c + 1);
        const QString type = QLatin1String(types[c % std::size(types)]);
        doc.tree.add(StructureTree::tableKey, name, name);
        setKey(QStringLiteral("Type-") + name, type, false);
        setKey(QStringLiteral("Header Title-") + name, name, false);
        setKey(QStringLiteral("Order Method-") + name, c % 5 == 0 ? "ascending" : "none", false);
        setKey(QStringLiteral("Border-") + name, QStringLiteral("1px solid"), false);
        const QString main = mainAttributeOf(type);
        doc.tree.add(name, name + QChar('-') + main, main);
        setKey(QStringLiteral("Xpath-") + name + QChar('@') + main,
               QStringLiteral("/rows/row/f%1").arg(c), false);
        doc.tree.add(name, name + QStringLiteral("-title"), QStringLiteral("title"));
        setKey(QStringLiteral("Xpath-") + name + QStringLiteral("@title"),
               QStringLiteral("/rows/row/@t%1").arg(c), false);
        for (int a = 0; a < extraAttributes; ++a) {
            const QString attribute = QStringLiteral("data-a%1").arg(a);
            doc.tree.add(name, name + QChar('-') + attribute, attribute);
            setKey(QStringLiteral("Xpath-") + name + QChar('@') + attribute,
                   QStringLiteral("/rows/row/@a%1").arg(a), false);
        }
    }
}

void BM_BuildXslCode(benchmark::State &state)
{
    buildTable(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(buildXslCode(false));
    state.SetComplexityN(state.range(0));
}

void BM_GenerateXSLCode(benchmark::State &state)
{
    buildTable(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(generateXSLCode(false));
    state.SetComplexityN(state.range(0));
}

// 60 columns with 2, 10 and 34 attributes each.
void BM_BuildManyAttributes(benchmark::State &state)
{
    buildTable(60, int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(buildXslCode(false));
    state.SetComplexityN(state.range(0) + 2);
}

} // namespace

BENCHMARK(BM_BuildXslCode)->Arg(60)->Arg(240)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK(BM_GenerateXSLCode)->Arg(60)->Arg(240)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK(BM_BuildManyAttributes)->Arg(0)->Arg(8)->Arg(32)->Unit(benchmark::kMicrosecond)->Complexity();
