#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

#include "SharedDataSet.h"
#include "SyntheticPopulation.h"
#include "analysis/ParameterChoices.h"
#include "stats/LifeTable.h"
#include "stats/ProductLimit.h"
#include "stats/SmrSir.h"

namespace kalderon::bench {
namespace {

constexpr std::int64_t kCases = 1'000'000;

// The generated data set with the synthetic tables chosen and relative
// survival set as `method` says (-1 none, 0 Ederer II, 1 Hakulinen); the
// other benchmarks share the record, so relative survival is switched off
// again at the end.
class PreparedRecord {
public:
    explicit PreparedRecord(int method) : dataSet_(SharedDataSet(kCases))
    {
        CAnalysisData& data = dataSet_.analysis;
        ApplyParameterChoices(data, ParameterChoices{"1", 0, ".95"});
        if (data.populationTables.empty()) data.populationTables = SyntheticTables();
        ApplyPopulationChoices(data, PopulationChoices{{0, false}, "Synthetic"});
        data.relativeSurvival = method >= 0 ? 1 : 0;
        data.useHakulinen = method == 1 ? 1 : 0;
        data.closingDate = data.lastEndDate;
    }
    ~PreparedRecord() { dataSet_.analysis.relativeSurvival = 0; }

    CAnalysisData& data() { return dataSet_.analysis; }
    const CaseList& cases() const { return dataSet_.cases; }

private:
    DataSet& dataSet_;
};

// Method -1 (observed survival alone), 0 Ederer II, 1 Hakulinen.
void BM_RelativeLifeTable(benchmark::State& state)
{
    PreparedRecord record(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        if (!ComputeLifeTable(record.data(), record.cases(), true)) state.SkipWithError("refused");
        benchmark::DoNotOptimize(record.data().groupResults.data());
    }
    state.SetItemsProcessed(state.iterations() * kCases);
}

void BM_RelativeProductLimit(benchmark::State& state)
{
    PreparedRecord record(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        for (CGroupResult& g : record.data().groupResults) std::vector<CTimePointResult>().swap(g.timePoints);
        state.ResumeTiming();
        if (!ComputeProductLimit(record.data(), record.cases(), true)) state.SkipWithError("refused");
    }
    state.SetItemsProcessed(state.iterations() * kCases);
}

// Window 1985-2014: 30 calendar years per case.
void BM_SmrSir(benchmark::State& state)
{
    PreparedRecord record(-1);
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
