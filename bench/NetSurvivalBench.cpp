#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

#include "PreparedRecord.h"
#include "analysis/AgeStandardisedSurvival.h"
#include "stats/LifeTable.h"
#include "stats/NetSurvivalCases.h"
#include "stats/PeriodAnalysis.h"
#include "stats/ProductLimit.h"

namespace kalderon::bench {
namespace {

constexpr std::int64_t kCases = 1'000'000;

// Net survival of the five groups: 0 cohort (life table and product-limit
// read the same curve), 1 period 2010-2014; with brenner 1 walked together
// with the net survival of the cases with Brenner's weights (ICSS 1).
void BM_NetSurvival(benchmark::State& state)
{
    PreparedRecord record(kCases, 2);
    CAnalysisData& data = record.data();
    const CaseList& cases = record.cases();
    data.periodBegin = DateValue::FromYmd(2010, 1, 1);
    data.periodEnd = DateValue::FromYmd(2014, 12, 31);
    data.brennerStandard = state.range(1) ? kIcss1 : kNoStandardisation;
    for (auto _ : state) {
        if (state.range(0) == 0)
            ComputeNetSurvivalCohort(data, cases, true);
        else
            ComputeNetSurvivalPeriod(data, cases, true);
        benchmark::DoNotOptimize(data.groupResults.data());
    }
    state.SetItemsProcessed(state.iterations() * kCases);
}

// The whole analysis with Pohar-Perme net survival in its tables: 0 life
// table, 1 product-limit, 2 period analysis 2010-2014 with the life table
// technique, 3 with the product-limit technique.
void BM_NetSurvivalAnalysis(benchmark::State& state)
{
    PreparedRecord record(kCases, 2);
    CAnalysisData& data = record.data();
    data.periodBegin = DateValue::FromYmd(2010, 1, 1);
    data.periodEnd = DateValue::FromYmd(2014, 12, 31);
    data.periodTechnique = state.range(0) == 3 ? 1 : 0;
    for (auto _ : state) {
        state.PauseTiming();
        for (CGroupResult& g : data.groupResults) std::vector<CTimePointResult>().swap(g.timePoints);
        state.ResumeTiming();
        Refusal refusal;
        switch (state.range(0)) {
        case 0: refusal = ComputeLifeTable(data, record.cases(), true); break;
        case 1: refusal = ComputeProductLimit(data, record.cases(), true); break;
        default: refusal = ComputePeriodAnalysis(data, record.cases(), true); break;
        }
        if (refusal) state.SkipWithError(refusal->c_str());
        benchmark::DoNotOptimize(data.groupResults.data());
    }
    state.SetItemsProcessed(state.iterations() * kCases);
}

// The age-standardised table (ICSS 1) of the five groups, after their own
// tables: 0 life table, 1 period analysis 2010-2014 with the life table
// technique.  Ten analyses of the age groups' cases, Ederer II and net.
void BM_StandardisedSurvival(benchmark::State& state)
{
    PreparedRecord record(kCases, 0);
    CAnalysisData& data = record.data();
    data.periodBegin = DateValue::FromYmd(2010, 1, 1);
    data.periodEnd = DateValue::FromYmd(2014, 12, 31);
    data.periodTechnique = 0;
    const AnalysisKind kind = state.range(0) == 0 ? kLifeTable : kPeriodAnalysis;
    const Refusal refusal = kind == kLifeTable ? ComputeLifeTable(data, record.cases(), true)
                                               : ComputePeriodAnalysis(data, record.cases(), true);
    if (refusal) state.SkipWithError(refusal->c_str());
    for (auto _ : state) {
        const std::vector<StandardisedGroup> groups = StandardiseSurvival(data, record.cases(), kind, true, kIcss1);
        benchmark::DoNotOptimize(groups.data());
    }
    state.SetItemsProcessed(state.iterations() * kCases);
}

// The same table with Brenner's weights: 0 life table, 1 product-limit
// (yearly ends), 2 period analysis 2010-2014 with the life table technique,
// 3 with the product-limit technique; one weighted estimate per group.
void BM_BrennerStandardisedSurvival(benchmark::State& state)
{
    PreparedRecord record(kCases, 0);
    CAnalysisData& data = record.data();
    data.periodBegin = DateValue::FromYmd(2010, 1, 1);
    data.periodEnd = DateValue::FromYmd(2014, 12, 31);
    data.periodTechnique = state.range(0) == 3 ? 1 : 0;
    const AnalysisKind kinds[] = {kLifeTable, kProductLimit, kPeriodAnalysis, kPeriodAnalysis};
    const AnalysisKind kind = kinds[state.range(0)];
    for (auto _ : state) {
        const std::vector<StandardisedGroup> groups =
            StandardiseSurvivalBrenner(data, record.cases(), kind, true, kIcss1);
        benchmark::DoNotOptimize(groups.data());
    }
    state.SetItemsProcessed(state.iterations() * kCases);
}

BENCHMARK(BM_NetSurvival)->ArgNames({"period", "brenner"})->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NetSurvivalAnalysis)->ArgNames({"analysis"})->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StandardisedSurvival)->ArgNames({"period"})->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BrennerStandardisedSurvival)->ArgNames({"analysis"})->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kalderon::bench
