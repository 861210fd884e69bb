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
        const TableCases read = ReadDatabaseTable(BigTable(), "Patients", columns, data);
        if (!read.ok) state.SkipWithError(read.errorText.c_str());
        rows = read.cases.records.size();
        benchmark::DoNotOptimize(read.cases.records.data());
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * rows));
}
BENCHMARK(ReadAccessTableIntoCases)->Unit(benchmark::kMillisecond)->Iterations(3);

void ReadPopulationTableOrdered(benchmark::State& state)
{
    const std::string path = std::string(KALDERON_SOURCE_DIR) + "/data/LifeTables.mdb";
    ImportDatabase db = OpenImportDatabase(path);
    if (!db.database) {
        state.SkipWithError(db.errorText.c_str());
        return;
    }
    const TableChoice tables = ChooseTableEntries(db.database->TableDefs());
    size_t rows = 0;
    for (auto _ : state) {
        rows = 0;
        for (const std::string& table : tables.entries)
            for (auto rs = db.database->OpenOrderedByYearAge(table); !rs->IsEOF(); rs->MoveNext()) ++rows;
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * rows));
}
BENCHMARK(ReadPopulationTableOrdered)->Unit(benchmark::kMillisecond);

}  // namespace
