// Time of the interface substitution a "Call Table" column runs at every generation, for
// interfaces of 4,000 to 32,000 items; it should grow about linearly with the items.
#include "documents/store_access.h"
#include "documents/workspace.h"
#include "generator/interface_substitution.h"
#include "publishing/interface_translation.h"

#include <benchmark/benchmark.h>

namespace {

// One row item and items-1 cells under it, each mapped by the calling column.
QString interfaceOf(int items)
{
    resetWorkspace();
    QList<InterfaceItem> list{{QStringLiteral("Table"), QStringLiteral("rows"), QStringLiteral("/r/row")}};
    setKey(QStringLiteral("Call Xpath-call@table-Table"), QStringLiteral("/a/b"), false);
    for (int i = 1; i < items; ++i) {
        const QString name = QStringLiteral("c%1").arg(i);
        list.append({QStringLiteral("....") + name, name, QStringLiteral("/r/row/") + name});
        setKey(QStringLiteral("Call Xpath-call@table-") + name, QStringLiteral("/a/b/f%1").arg(i), false);
    }
    return packInterfaceText(list, translationBody(list));
}

void BM_MakeSubstCode(benchmark::State &state)
{
    const QString text = interfaceOf(int(state.range(0)));
    for (auto _ : state) {
        QString code;
        makeSubstCode(text, QStringLiteral("call@table"), QStringLiteral("/a"), code);
        benchmark::DoNotOptimize(code);
    }
    state.SetComplexityN(state.range(0));
}

} // namespace

BENCHMARK(BM_MakeSubstCode)->Arg(4000)->Arg(16000)->Arg(32000)->Unit(benchmark::kMillisecond)->Complexity();
