#include <benchmark/benchmark.h>

#include "CaseFileGenerator.h"
#include "analysis/ParameterChoices.h"
#include "import/TextFileReader.h"
#include "stats/LifeTable.h"

namespace kalderon::bench {
namespace {

// The generated cases, read once.
DataSet& SharedDataSet(std::int64_t count)
{
    static DataSet dataSet;
    static std::int64_t readCount = 0;
    if (readCount != count) {
        TextImportSettings settings;
        settings.useGroup = settings.useSex = settings.useBirth = true;
        std::string error;
        if (!ReadTextFile(SharedCaseFile(count), settings, dataSet, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            std::exit(1);
        }
        readCount = count;
    }
    return dataSet;
}

void BM_LifeTable(benchmark::State& state)
{
    DataSet& dataSet = SharedDataSet(state.range(0));
    const bool stratified = state.range(1) != 0;
    ApplyParameterChoices(dataSet.analysis, ParameterChoices{"1", static_cast<std::int32_t>(state.range(2)), ".95"});
    for (auto _ : state) {
        if (!ComputeLifeTable(dataSet.analysis, dataSet.cases, stratified)) state.SkipWithError("refused");
        benchmark::DoNotOptimize(dataSet.analysis.groupResults.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
// Cases, stratified, time unit (0 year, 3 day).
BENCHMARK(BM_LifeTable)
    ->ArgNames({"cases", "stratified", "unit"})
    ->Args({1'000'000, 0, 0})
    ->Args({1'000'000, 1, 0})
    ->Args({1'000'000, 1, 3})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kalderon::bench
