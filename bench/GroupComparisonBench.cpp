#include <benchmark/benchmark.h>

#include "SharedDataSet.h"
#include "analysis/ParameterChoices.h"
#include "stats/GroupComparison.h"
#include "stats/ProductLimit.h"

namespace kalderon::bench {
namespace {

// The generated cases spread over five groups by case number, with their
// product-limit tables computed.
struct FiveGroups {
    CAnalysisData data;
    CaseList cases;
};

FiveGroups& FiveGroupData(std::int64_t count)
{
    static FiveGroups five;
    static std::int64_t madeCount = 0;
    if (madeCount != count) {
        static const char* const codes[] = {"a", "b", "c", "d", "e"};
        five.data = CAnalysisData();
        CaseListBuilder builder(five.data);
        const CaseList& shared = SharedDataSet(count).cases;
        builder.Reserve(shared.records.size());
        for (size_t row = 0; row < shared.rowToList.size(); ++row) {
            CCaseRecord c = shared.row(row);
            c.groupText = codes[c.caseNumber % 5];
            builder.Add(std::move(c));
        }
        five.cases = builder.Finish();
        ApplyParameterChoices(five.data, ParameterChoices{"1", 0, ".95"});
        (void)ComputeProductLimit(five.data, five.cases, true);  // never refused without relative survival
        madeCount = count;
    }
    return five;
}

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
