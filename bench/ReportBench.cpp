#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <unistd.h>

#include "SharedDataSet.h"
#include "analysis/ParameterChoices.h"
#include "cli/ReportFiles.h"
#include "common/SafeFileWrite.h"
#include "results/ResultReport.h"
#include "stats/ProductLimit.h"

namespace kalderon::bench {
namespace {

// The stratified product-limit estimate of the shared cases, and where its
// report and export go.
struct ProductLimitTexts {
    const CAnalysisData& analysis;
    std::string reportPath;
    std::string exportPath;
};

ProductLimitTexts ComputedProductLimit(const benchmark::State& state)
{
    DataSet& dataSet = SharedDataSet(state.range(0));
    ApplyParameterChoices(dataSet.analysis, ParameterChoices{"1", 0, ".95"});
    (void)ComputeProductLimit(dataSet.analysis, dataSet.cases, true);  // never refused without relative survival
    const std::string base =
        (std::filesystem::temp_directory_path() / ("kalderon-report-bench-" + std::to_string(getpid()))).string();
    return {dataSet.analysis, base + ".txt", base + ".csv"};
}

constexpr const char* kTimeStamp = "Tuesday 08. December 2026 12:00:00";

// Both texts built whole from a copy of the record, the copy left untimed.
ResultReport BuiltTexts(benchmark::State& state, const CAnalysisData& analysis)
{
    state.PauseTiming();
    CAnalysisData copy = analysis;
    state.ResumeTiming();
    ResultReport report;
    report.SetResults(std::move(copy), kProductLimit, kTimeStamp);
    return report;
}

// The report and the export of the stratified product-limit estimate of
// 1,000,000 cases in five groups, built whole as the desktop program builds
// them, then written to files.
void BM_ProductLimitReportAndExport(benchmark::State& state)
{
    const ProductLimitTexts texts = ComputedProductLimit(state);
    const std::string &reportPath = texts.reportPath, &exportPath = texts.exportPath;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const ResultReport report = BuiltTexts(state, texts.analysis);
        std::string reason;
        if (!WriteFileSafely(reportPath, report.reportText(), reason) ||
            !WriteExportFileSafely(exportPath, report.exportParts(), reason))
            state.SkipWithError(reason.c_str());
        bytes = report.reportText().size();
        benchmark::DoNotOptimize(bytes);
    }
    std::remove(reportPath.c_str());
    std::remove(exportPath.c_str());
    state.counters["report MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_ProductLimitReportAndExport)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same two texts built whole in memory, without writing them.
void BM_ProductLimitTexts(benchmark::State& state)
{
    const ProductLimitTexts texts = ComputedProductLimit(state);
    for (auto _ : state) {
        ResultReport report = BuiltTexts(state, texts.analysis);
        benchmark::DoNotOptimize(report.reportText().data());
        state.PauseTiming();
        { const ResultReport released = std::move(report); }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ProductLimitTexts)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same texts as kalderon-batch writes them: built while they are
// written, the export on a second thread.
void BM_ProductLimitReportFiles(benchmark::State& state)
{
    const ProductLimitTexts texts = ComputedProductLimit(state);
    const std::string &reportPath = texts.reportPath, &exportPath = texts.exportPath;
    ResultReport report;
    report.SetResults(texts.analysis, kProductLimit, kTimeStamp, TextBuilding::kWhenWritten);
    for (auto _ : state) {
        std::string error;
        std::ostringstream unused;
        if (!batch::WriteReportFiles(report, reportPath, exportPath, unused, error)) state.SkipWithError(error.c_str());
    }
    state.counters["report MB"] = static_cast<double>(std::filesystem::file_size(reportPath)) / 1e6;
    state.counters["export MB"] = static_cast<double>(std::filesystem::file_size(exportPath)) / 1e6;
    std::remove(reportPath.c_str());
    std::remove(exportPath.c_str());
}
BENCHMARK(BM_ProductLimitReportFiles)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
}  // namespace kalderon::bench
