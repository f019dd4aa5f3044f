// The texts dialogs build grow with what the user asked for; each must stay
// linear in its output so the largest allowed request is instant.
#include "core/builders/HtmlList.h"
#include "core/builders/MemoLines.h"
#include "core/builders/QuickTable.h"
#include "core/builders/SelectOptions.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

void BM_QuickTable(benchmark::State& state)
{
    qw::QuickTableOptions options;
    options.rows = int(state.range(0));
    options.columns = int(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(qw::buildQuickTable(options));
    state.SetComplexityN(state.range(0) * state.range(0));
}
BENCHMARK(BM_QuickTable)->Arg(10)->Arg(100)->Complexity(benchmark::oN);

void BM_SelectOptions(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(qw::buildSelectOptions(int(state.range(0))));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SelectOptions)->Arg(100)->Arg(qw::kMaxSelectOptions)->Complexity(benchmark::oN);

void BM_ListFromField(benchmark::State& state)
{
    QString field;
    for (int i = 0; i < state.range(0); ++i)
        field += u"Položka seznamu číslo "_s + QString::number(i) + u"\r\n"_s;
    for (auto _ : state) {
        qw::HtmlListOptions options;
        options.items = qw::memoLines(field);
        benchmark::DoNotOptimize(qw::buildHtmlList(options));
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(state.iterations() * field.size() * 2);
}
BENCHMARK(BM_ListFromField)->Arg(1000)->Arg(100000)->Complexity(benchmark::oN);

} // namespace
