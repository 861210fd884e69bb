// Reading the 1,000,000 cases of a sheet of an .xlsx and an .ods workbook
// into cases, by the import's own path (the readers in child processes).
// The workbooks are made once in the temporary folder (BigWorkbooks.h).
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include "BigWorkbooks.h"
#include "import/DatabaseImport.h"

namespace {

using namespace kalderon;
using R = CColumnAssignment::Role;

// Highest resident memory of a child process so far.
double PeakChildMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_maxrss / 1024.0;
}

void ReadWorkbookIntoCases(benchmark::State& state, bench::WorkbookKind kind)
{
    const std::string& path = bench::SharedWorkbook(kind, 1000000);
    CColumnAssignment columns;
    columns[R::kBegin] = 0, columns[R::kEnd] = 1, columns[R::kStatus] = 2;
    columns[R::kGroup] = 3, columns[R::kSex] = 4, columns[R::kBirth] = 5;
    size_t rows = 0;
    for (auto _ : state) {
        CAnalysisData data;
        const ReadResult<CaseList> read = ReadDatabaseTable(path, "Cases$", columns, data);
        if (!read) {
            state.SkipWithError(ReaderFaultMessage(read.fault()).c_str());
            break;
        }
        rows = read->records.size();
        benchmark::DoNotOptimize(read->records.data());
    }
    rusage self{};
    getrusage(RUSAGE_SELF, &self);
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["peak_MB"] = self.ru_maxrss / 1024.0;
    state.counters["reader_peak_MB"] = PeakChildMegabytes();
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * rows));
}
BENCHMARK_CAPTURE(ReadWorkbookIntoCases, xlsx, bench::WorkbookKind::kXlsx)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(ReadWorkbookIntoCases, ods, bench::WorkbookKind::kOds)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
