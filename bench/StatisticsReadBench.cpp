// Reading the data files of statistics packages into cases, as kalderon-batch
// and the desktop program read them (the reader in a child process).  The
// 1,000,000-case files are made once in the temporary folder.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "BigStatisticsFile.h"
#include "import/DatabaseImport.h"

namespace {

using namespace kalderon;
using R = CColumnAssignment::Role;

std::string BigFile(const std::string& extension)
{
    const std::string path =
        (std::filesystem::temp_directory_path() / ("kalderon_bench_1m" + extension)).string();
    if (!std::filesystem::exists(path) && !bench::MakeBigStatisticsFile(path, 1000000)) return {};
    return path;
}

void ReadStatisticsFileIntoCases(benchmark::State& state, const std::string& extension)
{
    const std::string path = BigFile(extension);
    if (path.empty()) {
        state.SkipWithError("the file could not be written");
        return;
    }
    CColumnAssignment columns;
    columns[R::kBegin] = 0, columns[R::kEnd] = 1, columns[R::kStatus] = 2;
    columns[R::kGroup] = 3, columns[R::kSex] = 4, columns[R::kBirth] = 5;
    size_t rows = 0;
    for (auto _ : state) {
        CAnalysisData data;
        const ReadResult<CaseList> read = ReadDatabaseTable(path, "", columns, data);
        if (!read) {
            state.SkipWithError(ReaderFaultMessage(read.fault()).c_str());
            break;
        }
        rows = read->records.size();
        benchmark::DoNotOptimize(read->records.data());
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * rows));
}
BENCHMARK_CAPTURE(ReadStatisticsFileIntoCases, dta, std::string(".dta"))->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(ReadStatisticsFileIntoCases, sav, std::string(".sav"))->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(ReadStatisticsFileIntoCases, sas7bdat, std::string(".sas7bdat"))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
