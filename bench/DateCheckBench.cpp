#include <benchmark/benchmark.h>

#include "SharedDataSet.h"
#include "stats/DateCheck.h"

namespace kalderon::bench {
namespace {

// The data check of the generated cases with their birth dates, at a fixed
// present year.  `implausible` of the cases get a begin in the year 1 so
// that the check also keeps its list.
void BM_DateCheck(benchmark::State& state)
{
    std::vector<CCaseRecord> records = SharedDataSet(state.range(0)).cases.records;
    const auto every = state.range(1) == 0 ? records.size() + 1 : records.size() / static_cast<size_t>(state.range(1));
    for (size_t i = 0; i < records.size(); i += every) records[i].beginDate = DateValue::FromYmd(1, 1, 1);
    for (auto _ : state) {
        const DateCheck check = CheckDates(records, true, 1700000000);
        benchmark::DoNotOptimize(check.implausibleCount);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DateCheck)
    ->ArgNames({"cases", "implausible"})
    ->Args({1'000'000, 0})
    ->Args({1'000'000, 100'000})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kalderon::bench
