// Reading database tables into cases.  The 1,000,000-row Access table is
// made once in the temporary folder from the cases.mdb fixture.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "BigAccessTable.h"
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

void ReadAccessTableIntoCases(benchmark::State& state)
{
    CColumnAssignment columns;
    columns[R::kBegin] = 1, columns[R::kEnd] = 2, columns[R::kStatus] = 3;
    columns[R::kGroup] = 4, columns[R::kSex] = 5, columns[R::kBirth] = 6;
    size_t rows = 0;
    for (auto _ : state) {
        CAnalysisData data;
        const ReadResult<CaseList> read = ReadDatabaseTable(BigTable(), "Patients", columns, data);
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
BENCHMARK(ReadAccessTableIntoCases)->Unit(benchmark::kMillisecond)->Iterations(3);

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
