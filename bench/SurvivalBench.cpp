#include <benchmark/benchmark.h>

#include "SharedDataSet.h"
#include "analysis/ParameterChoices.h"
#include "stats/PeriodAnalysis.h"
#include "stats/ProductLimit.h"
#include "stats/Trend.h"

namespace kalderon::bench {
namespace {

CAnalysisData& Prepared(std::int64_t count)
{
    DataSet& dataSet = SharedDataSet(count);
    ApplyParameterChoices(dataSet.analysis, ParameterChoices{"1", 0, ".95"});
    return dataSet.analysis;
}

// Every run fills result tables that were never allocated before, as the
// first computation on a freshly read data set does.
void ReleaseTimePoints(CAnalysisData& data)
{
    for (CGroupResult& g : data.groupResults) std::vector<CTimePointResult>().swap(g.timePoints);
}

void BM_ProductLimit(benchmark::State& state)
{
    CAnalysisData& data = Prepared(state.range(0));
    const CaseList& cases = SharedDataSet(state.range(0)).cases;
    for (auto _ : state) {
        state.PauseTiming();
        ReleaseTimePoints(data);
        state.ResumeTiming();
        if (ComputeProductLimit(data, cases, true)) state.SkipWithError("refused");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Period 2000-2004, technique 0 life table, 1 product-limit.
void BM_PeriodAnalysis(benchmark::State& state)
{
    CAnalysisData& data = Prepared(state.range(0));
    const CaseList& cases = SharedDataSet(state.range(0)).cases;
    data.periodTechnique = static_cast<std::int32_t>(state.range(1));
    data.periodBegin = DateValue::FromYmd(2000, 1, 1);
    data.periodEnd = DateValue::FromYmd(2004, 12, 31);
    for (auto _ : state) {
        state.PauseTiming();
        ReleaseTimePoints(data);
        state.ResumeTiming();
        if (ComputePeriodAnalysis(data, cases, true)) state.SkipWithError("refused");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The window 1985-2014 with a width of 11 years has 20 starting years.
void BM_Trend(benchmark::State& state)
{
    CAnalysisData& data = Prepared(state.range(0));
    const CaseList& cases = SharedDataSet(state.range(0)).cases;
    data.periodTechnique = static_cast<std::int32_t>(state.range(1));
    data.survivalYears = 5;
    data.periodWidth = 11;
    for (auto _ : state) {
        state.PauseTiming();
        ReleaseTimePoints(data);
        state.ResumeTiming();
        if (const Refusal refusal = ComputeTrend(data, cases, true)) state.SkipWithError(refusal->c_str());
    }
    state.counters["startingYears"] = static_cast<double>(data.groupResults[0].intervalTable.rows.size());
}

BENCHMARK(BM_ProductLimit)->ArgNames({"cases"})->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeriodAnalysis)
    ->ArgNames({"cases", "technique"})
    ->ArgsProduct({{100'000, 1'000'000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Trend)
    ->ArgNames({"cases", "technique"})
    ->ArgsProduct({{100'000, 1'000'000}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

}  // namespace
}  // namespace kalderon::bench
