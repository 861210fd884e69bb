#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

#include "PreparedRecord.h"
#include "stats/LifeTable.h"
#include "stats/ProductLimit.h"
#include "stats/SmrSir.h"

namespace kalderon::bench {
namespace {

constexpr std::int64_t kCases = 1'000'000;

// Method -1 (observed survival alone), 0 Ederer II, 1 Hakulinen.
void BM_RelativeLifeTable(benchmark::State& state)
{
    PreparedRecord record(kCases, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        if (ComputeLifeTable(record.data(), record.cases(), true)) state.SkipWithError("refused");
        benchmark::DoNotOptimize(record.data().groupResults.data());
    }
    state.SetItemsProcessed(state.iterations() * kCases);
}

void BM_RelativeProductLimit(benchmark::State& state)
{
    PreparedRecord record(kCases, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        for (CGroupResult& g : record.data().groupResults) std::vector<CTimePointResult>().swap(g.timePoints);
        state.ResumeTiming();
        if (ComputeProductLimit(record.data(), record.cases(), true)) state.SkipWithError("refused");
    }
    state.SetItemsProcessed(state.iterations() * kCases);
}

// Window 1985-2014: 30 calendar years per case.
void BM_SmrSir(benchmark::State& state)
{
    PreparedRecord record(kCases, -1);
    for (auto _ : state) {
        ComputeSmrSir(record.data(), record.cases(), true);
        benchmark::DoNotOptimize(record.data().groupResults.data());
    }
    state.SetItemsProcessed(state.iterations() * kCases);
}

BENCHMARK(BM_RelativeLifeTable)->ArgNames({"method"})->DenseRange(-1, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RelativeProductLimit)->ArgNames({"method"})->DenseRange(-1, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SmrSir)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kalderon::bench
