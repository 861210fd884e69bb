#include <benchmark/benchmark.h>

#include "FiveGroups.h"
#include "analysis/CompetingCodes.h"
#include "stats/CumulativeIncidence.h"

namespace kalderon::bench {
namespace {

// The generated cases in five groups with three causes: each death is of
// cause "1", "2" or "3" by its case number.
FiveGroups& ThreeCauses(std::int64_t count)
{
    static FiveGroups three;
    static std::int64_t madeCount = 0;
    if (madeCount != count) {
        const FiveGroups& five = FiveGroupData(count);
        three.data = five.data;
        three.cases = five.cases;
        static const char* const causes[] = {"1", "2", "3"};
        for (CCaseRecord& c : three.cases.records)
            if (c.statusText == "1") c.statusText = causes[c.caseNumber % 3];
        for (CGroupResult& group : three.data.groupResults) group.timePoints = {};  // not copied while timed
        three.data.statusCodes = {"0", "1", "2", "3"};
        (void)SetCompetingCodes(three.data, {"1"}, {"2", "3"});
        three.data.periodTechnique = kProductLimitTechnique;
        madeCount = count;
    }
    return three;
}

// The incidence of the three causes at their event days in every group and
// Gray's test of each cause.
void BM_CumulativeIncidence(benchmark::State& state)
{
    FiveGroups& three = ThreeCauses(state.range(0));
    for (auto _ : state) {
        CAnalysisData data = three.data;
        benchmark::DoNotOptimize(ComputeCumulativeIncidence(data, three.cases, true));
        benchmark::DoNotOptimize(data.grayTests);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_CumulativeIncidence)->ArgNames({"cases"})->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kalderon::bench
