#include <benchmark/benchmark.h>

#include "FiveGroups.h"
#include "stats/GroupComparison.h"

namespace kalderon::bench {
namespace {

// The log-rank and Peto-Peto tests and the quartiles of every curve, after
// the product-limit computation.
void BM_CompareGroups(benchmark::State& state)
{
    FiveGroups& five = FiveGroupData(state.range(0));
    for (auto _ : state) {
        GroupComparison comparison = CompareGroups(five.data, five.cases, kProductLimit, true);
        benchmark::DoNotOptimize(comparison);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_CompareGroups)->ArgNames({"cases"})->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kalderon::bench
