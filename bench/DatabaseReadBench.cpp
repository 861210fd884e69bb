// Reading database tables into cases.  The 1,000,000-row Access table is
// made once in the temporary folder from the cases.mdb fixture, the
// statistics files from the example data set.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "BigAccessTable.h"
#include "BigStatisticsFile.h"
#include "import/DatabaseImport.h"

namespace {

using namespace kalderon;
using R = CColumnAssignment::Role;

const std::string& BigTable()
{
    static const std::string path = [] {
        const std::string p = (std::filesystem::temp_directory_path() / "kalderon_bench_1m.mdb").string();
        if (!std::filesystem::exists(p))
            bench::MakeBigAccessTable(std::string(KALDERON_SOURCE_DIR) + "/tests/data/access/cases.mdb", p, "Patients",
                                      1000000);
        return p;
    }();
    return path;
}

// Reads a table whose six fields from `firstField` on are begin, end,
// status, group, sex and birth, into cases.
void ReadIntoCases(benchmark::State& state, const std::string& path, const std::string& table, int firstField)
{
    CColumnAssignment columns;
    int field = firstField;
    for (R role : {R::kBegin, R::kEnd, R::kStatus, R::kGroup, R::kSex, R::kBirth}) columns[role] = field++;
    size_t rows = 0;
    for (auto _ : state) {
        CAnalysisData data;
        const ReadResult<CaseList> read = ReadDatabaseTable(path, table, columns, data);
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

void ReadAccessTableIntoCases(benchmark::State& state) { ReadIntoCases(state, BigTable(), "Patients", 1); }
BENCHMARK(ReadAccessTableIntoCases)->Unit(benchmark::kMillisecond)->Iterations(3);

// A Stata, SPSS or SAS file of 1,000,000 cases, made once in the temporary
// folder, read as kalderon-batch and the desktop program read it (the reader
// in a child process).
void ReadStatisticsFileIntoCases(benchmark::State& state, const std::string& extension)
{
    const std::string path = (std::filesystem::temp_directory_path() / ("kalderon_bench_1m" + extension)).string();
    if (!std::filesystem::exists(path) && !bench::MakeBigStatisticsFile(path, 1000000)) {
        state.SkipWithError("the file could not be written");
        return;
    }
    ReadIntoCases(state, path, "", 0);
}
BENCHMARK_CAPTURE(ReadStatisticsFileIntoCases, dta, std::string(".dta"))->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(ReadStatisticsFileIntoCases, sav, std::string(".sav"))->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(ReadStatisticsFileIntoCases, sas7bdat, std::string(".sas7bdat"))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void ReadPopulationTableOrdered(benchmark::State& state)
{
    const std::string path = std::string(KALDERON_SOURCE_DIR) + "/data/LifeTables.mdb";
    const ReadResult<ImportDatabase> db = OpenImportDatabase(path);
    if (!db) {
        state.SkipWithError(ReaderFaultMessage(db.fault()).c_str());
        return;
    }
    const TableChoice tables = ChooseTableEntries(db->database->TableDefs());
    size_t rows = 0;
    for (auto _ : state) {
        rows = 0;
        for (const std::string& table : tables.entries) {
            const ReadResult<std::unique_ptr<Recordset>> ordered = db->database->OpenOrderedByYearAge(table);
            for (ReadResult<void> moved; ordered && moved && !(*ordered)->IsEOF(); moved = (*ordered)->MoveNext())
                ++rows;
        }
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * rows));
}
BENCHMARK(ReadPopulationTableOrdered)->Unit(benchmark::kMillisecond);

}  // namespace
