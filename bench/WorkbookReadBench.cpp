// Reading the 1,000,000 cases of a sheet of an .xlsx and an .ods workbook
// into cases, by the import's own path (the readers in child processes).
// The workbooks are made once in the temporary folder (BigWorkbooks.h).
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include "BigWorkbooks.h"
#include "import/DatabaseImport.h"
#include "import/XmlPartReader.h"

namespace {

using namespace kalderon;
using R = CColumnAssignment::Role;

double Seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; }

// Processor time of the child processes (the readers) so far: on a busy
// machine a truer figure than the wall clock.
double ChildSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
}

void ReadWorkbookIntoCases(benchmark::State& state, bench::WorkbookKind kind)
{
    const std::string& path = bench::SharedWorkbook(kind, 1000000);
    CColumnAssignment columns;
    columns[R::kBegin] = 0, columns[R::kEnd] = 1, columns[R::kStatus] = 2;
    columns[R::kGroup] = 3, columns[R::kSex] = 4, columns[R::kBirth] = 5;
    size_t rows = 0;
    const double childrenBefore = ChildSeconds();
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
    rusage self{}, children{};
    getrusage(RUSAGE_SELF, &self);
    getrusage(RUSAGE_CHILDREN, &children);
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["peak_MB"] = self.ru_maxrss / 1024.0;
    state.counters["reader_peak_MB"] = children.ru_maxrss / 1024.0;
    state.counters["reader_cpu_s"] = (ChildSeconds() - childrenBefore) / static_cast<double>(state.iterations());
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * rows));
}
BENCHMARK_CAPTURE(ReadWorkbookIntoCases, xlsx, bench::WorkbookKind::kXlsx)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(ReadWorkbookIntoCases, ods, bench::WorkbookKind::kOds)->Unit(benchmark::kMillisecond)->Iterations(1);

// The sheet's part alone, inflated and parsed in this process with a
// handler that only counts the elements.
void ParseSheetPart(benchmark::State& state, bench::WorkbookKind kind)
{
    struct Elements : XmlHandler {
        void Start(std::string_view, const char**) override { ++count; }
        void End(std::string_view) override {}
        std::size_t count = 0;
    };
    const std::string& path = bench::SharedWorkbook(kind, 1000000);
    const std::string part = kind == bench::WorkbookKind::kXlsx ? "xl/worksheets/sheet1.xml" : "content.xml";
    std::uint64_t bytes = 0;
    for (auto _ : state) {
        const ReadResult<std::unique_ptr<ZipArchive>> archive = ZipArchive::Open(path);
        ReadResult<std::unique_ptr<ZipMember>> member = archive ? (*archive)->OpenMember(part) : archive.fault();
        if (!member) {
            state.SkipWithError(ReaderFaultMessage(member.fault()).c_str());
            break;
        }
        bytes = (*member)->size();
        Elements elements;
        XmlPartReader reader(std::move(*member), elements);
        if (const ReadResult<void> parsed = reader.ParseAll(); !parsed) {
            state.SkipWithError(ReaderFaultMessage(parsed.fault()).c_str());
            break;
        }
        benchmark::DoNotOptimize(elements.count);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK_CAPTURE(ParseSheetPart, xlsx, bench::WorkbookKind::kXlsx)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(ParseSheetPart, ods, bench::WorkbookKind::kOds)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
