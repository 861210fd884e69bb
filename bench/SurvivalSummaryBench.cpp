#include <benchmark/benchmark.h>

#include "FiveGroups.h"
#include "results/SurvivalSummaryReport.h"

namespace kalderon::bench {
namespace {

// What --at 1,3,5,10 --conditional 2 --rmst add to the product-limit job:
// the curves read at the times, the conditional survival, the restricted
// means and their report section and export.
void BM_SurvivalSummaries(benchmark::State& state)
{
    FiveGroups& five = FiveGroupData(state.range(0));
    const std::vector<double> times = {1, 3, 5, 10};
    for (auto _ : state) {
        SurvivalSummaries summaries;
        summaries.atTimes = ReadSurvivalAtTimes(five.data, kProductLimit, true, times);
        summaries.conditional = ReadConditionalSurvival(five.data, kProductLimit, true, 2.0, times);
        summaries.restrictedMean.emplace();
        (void)ComputeRestrictedMeans(five.data, true, std::nullopt, *summaries.restrictedMean);
        ComparisonTexts texts = WriteSurvivalSummaries(summaries, five.data.ciLevelText);
        benchmark::DoNotOptimize(texts);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_SurvivalSummaries)->ArgNames({"cases"})->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// The record of the chart of the conditional curves, which the desktop
// program opens and kalderon-batch makes for --conditional-png only.
void BM_ConditionalChartRecord(benchmark::State& state)
{
    FiveGroups& five = FiveGroupData(state.range(0));
    for (auto _ : state) {
        CAnalysisData chart = WithConditionalCurves(five.data, kProductLimit, 2.0);
        benchmark::DoNotOptimize(chart);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_ConditionalChartRecord)->ArgNames({"cases"})->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kalderon::bench
