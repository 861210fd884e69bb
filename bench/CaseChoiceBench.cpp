#include <benchmark/benchmark.h>

#include "MemoryUse.h"
#include "SharedDataSet.h"
#include "analysis/CaseChoice.h"

namespace kalderon::bench {
namespace {

CaseCondition Condition(const DataSet& data, const char* text)
{
    CaseCondition condition;
    if (ReadCaseCondition(data.columns, data.hasBirthColumn, text, condition)) std::abort();
    return condition;
}

// A selection (two of the four age groups, ages 15 to 99, begun 1990 to
// 2004) with the groups of field 4 crossed with the sex, or with the ICSS
// age bands, applied to the generated cases read once; each run gives the
// data set back as read first.  The counter names the bytes per case that
// a choice keeps beside the data set: the selection mark and the file's
// group of each case.
void BM_CaseChoice(benchmark::State& state)
{
    DataSet& data = SharedDataSet(state.range(0));
    CaseChoice choice;
    choice.conditions = {Condition(data, "4=<54,62-70"), Condition(data, "age=15..99"),
                         Condition(data, "begin-year=1990..2004")};
    GroupKey first, second;
    if (state.range(1) == 0) {
        FindCaseField(data.columns, true, "4", first.field);
        FindCaseField(data.columns, true, "5", second.field);
        choice.grouping.keys = {first, second};
    } else {
        first.kind = GroupKey::Kind::kAgeBands;
        first.cuts.assign(kIcssAgeCuts.begin(), kIcssAgeCuts.end());
        choice.grouping.keys = {first};
    }
    const double peakBefore = PeakResidentMegabytes();
    for (auto _ : state) {
        ApplyCaseChoice(data, choice);
        benchmark::DoNotOptimize(data.analysis.groupResults.data());
        state.PauseTiming();
        ApplyCaseChoice(data, {});
        state.ResumeTiming();
    }
    ApplyCaseChoice(data, choice);
    const double cases = static_cast<double>(data.cases.records.size());
    const size_t kept = data.cases.selected.capacity() + data.fileGrouping->groupIndex.capacity() * sizeof(std::int32_t);
    state.counters["keptBytesPerCase"] = static_cast<double>(kept) / cases;
    state.counters["peakGrowthBytesPerCase"] = (PeakResidentMegabytes() - peakBefore) * 1024 * 1024 / cases;
    state.counters["groups"] = static_cast<double>(data.cases.groups.size());
    state.counters["selected"] = static_cast<double>(data.analysis.TotalRecordsRead());
    ApplyCaseChoice(data, {});
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CaseChoice)
    ->ArgNames({"cases", "icssBands"})
    ->Args({1'000'000, 0})
    ->Args({1'000'000, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kalderon::bench
