#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

#include "SharedDataSet.h"
#include "analysis/ParameterChoices.h"
#include "stats/NetSurvivalCases.h"

namespace kalderon::bench {
namespace {

constexpr std::int64_t kCases = 1'000'000;

// 80 calendar years (1935-2014) of 100 ages, as the relative survival
// benchmarks use them.
std::vector<CPopulationYearTable> Tables()
{
    std::vector<CPopulationYearTable> tables;
    for (int year = 1935; year < 2015; ++year) {
        CPopulationYearTable t{year, {}, {}};
        const double trend = std::pow(0.99, year - 1935);
        for (int age = 0; age < 100; ++age) {
            const double q = std::min((0.0005 + 0.0001 * std::pow(1.09, age)) * trend, 0.5);
            t.firstSex.push_back(q);
            t.secondSex.push_back(0.8 * q);
        }
        tables.push_back(std::move(t));
    }
    return tables;
}

CAnalysisData& Prepared()
{
    CAnalysisData& data = SharedDataSet(kCases).analysis;
    ApplyParameterChoices(data, ParameterChoices{"1", 0, ".95"});
    data.populationTables = Tables();
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
