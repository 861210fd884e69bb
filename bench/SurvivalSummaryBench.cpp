#include <benchmark/benchmark.h>

#include "FiveGroups.h"
#include "results/SurvivalSummaryReport.h"

namespace kalderon::bench {
namespace {

// What --at 1,3,5,10 --conditional 2 --rmst add to the product-limit job:
// the curves read at the times, the conditional survival with its chart
// record, the restricted means and their report section and export.
void BM_SurvivalSummaries(benchmark::State& state)
{
    FiveGroups& five = FiveGroupData(state.range(0));
    const std::vector<double> times = {1, 3, 5, 10};
    for (auto _ : state) {
        SurvivalSummaries summaries;
        summaries.atTimes = ReadSurvivalAtTimes(five.data, kProductLimit, true, times);
        summaries.conditional = ReadConditionalSurvival(five.data, kProductLimit, true, 2.0, times);
        CAnalysisData chart = WithConditionalCurves(five.data, kProductLimit, true, 2.0);
        summaries.restrictedMean.emplace();
        (void)ComputeRestrictedMeans(five.data, true, std::nullopt, *summaries.restrictedMean);
        ComparisonTexts texts = WriteSurvivalSummaries(summaries, five.data.ciLevelText);
        benchmark::DoNotOptimize(chart);
        benchmark::DoNotOptimize(texts);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_SurvivalSummaries)->ArgNames({"cases"})->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kalderon::bench
