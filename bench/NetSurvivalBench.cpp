#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

#include "SharedDataSet.h"
#include "SyntheticPopulation.h"
#include "analysis/ParameterChoices.h"
#include "stats/NetSurvivalCases.h"

namespace kalderon::bench {
namespace {

constexpr std::int64_t kCases = 1'000'000;

CAnalysisData& Prepared()
{
    CAnalysisData& data = SharedDataSet(kCases).analysis;
    ApplyParameterChoices(data, ParameterChoices{"1", 0, ".95"});
    data.populationTables = SyntheticTables();
    data.sexCodeFirst = "1";
    return data;
}

// Net survival of the five groups: 0 cohort (life table and product-limit
// read the same curve), 1 period 2010-2014.
void BM_NetSurvival(benchmark::State& state)
{
    CAnalysisData& data = Prepared();
    const CaseList& cases = SharedDataSet(kCases).cases;
    data.periodBegin = DateValue::FromYmd(2010, 1, 1);
    data.periodEnd = DateValue::FromYmd(2014, 12, 31);
    for (auto _ : state) {
        if (state.range(0) == 0)
            ComputeNetSurvivalCohort(data, cases, true);
        else
            ComputeNetSurvivalPeriod(data, cases, true);
        benchmark::DoNotOptimize(data.groupResults.data());
    }
    state.SetItemsProcessed(state.iterations() * kCases);
}

BENCHMARK(BM_NetSurvival)->ArgNames({"period"})->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kalderon::bench
