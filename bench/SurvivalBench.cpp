#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "SurvivalCases.h"
#include "stats/PeriodAnalysis.h"
#include "stats/ProductLimit.h"
#include "stats/Trend.h"

namespace {

using namespace kalderon;

struct Prepared {
    CAnalysisData data;
    CaseList cases;
};

// One data set per size, built once.
Prepared& Cases(int n)
{
    static std::map<int, std::unique_ptr<Prepared>> sets;
    auto& set = sets[n];
    if (!set) {
        set = std::make_unique<Prepared>();
        set->cases = bench::SurvivalCases(set->data, n);
    }
    return *set;
}

void BM_ProductLimit(benchmark::State& state)
{
    Prepared& p = Cases(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        for (CGroupResult& g : p.data.groupResults) std::vector<CTimePointResult>().swap(g.timePoints);
        state.ResumeTiming();
        ComputeProductLimit(p.data, p.cases, true);
    }
}

void BM_PeriodAnalysis(benchmark::State& state)
{
    Prepared& p = Cases(static_cast<int>(state.range(0)));
    p.data.periodTechnique = static_cast<int>(state.range(1));
    p.data.periodBegin = DateValue::FromYmd(2005, 1, 1);
    p.data.periodEnd = DateValue::FromYmd(2009, 12, 31);
    for (auto _ : state) ComputePeriodAnalysis(p.data, p.cases, true);
}

void BM_Trend20StartingYears(benchmark::State& state)
{
    Prepared& p = Cases(static_cast<int>(state.range(0)));
    p.data.periodTechnique = static_cast<int>(state.range(1));
    p.data.timeUnit = 0;
    p.data.survivalYears = 5;
    p.data.periodWidth = 5;
    std::string refusal;
    for (auto _ : state) ComputeTrend(p.data, p.cases, true, refusal);
    state.counters["rows"] = static_cast<double>(p.data.groupResults[0].intervalTable.rows.size());
}

BENCHMARK(BM_ProductLimit)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeriodAnalysis)->ArgsProduct({{100000, 1000000}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Trend20StartingYears)->ArgsProduct({{100000, 1000000}, {0, 1}})->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
