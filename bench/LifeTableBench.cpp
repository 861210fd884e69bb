#include <benchmark/benchmark.h>

#include "SharedDataSet.h"
#include "analysis/ParameterChoices.h"
#include "stats/LifeTable.h"

namespace kalderon::bench {
namespace {

void BM_LifeTable(benchmark::State& state)
{
    DataSet& dataSet = SharedDataSet(state.range(0));
    const bool stratified = state.range(1) != 0;
    ApplyParameterChoices(dataSet.analysis, ParameterChoices{"1", static_cast<std::int32_t>(state.range(2)), ".95"});
    for (auto _ : state) {
        if (ComputeLifeTable(dataSet.analysis, dataSet.cases, stratified)) state.SkipWithError("refused");
        benchmark::DoNotOptimize(dataSet.analysis.groupResults.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
// Cases, stratified, time unit (0 year, 3 day).
BENCHMARK(BM_LifeTable)
    ->ArgNames({"cases", "stratified", "unit"})
    ->Args({1'000'000, 0, 0})
    ->Args({1'000'000, 1, 0})
    ->Args({1'000'000, 1, 3})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kalderon::bench
