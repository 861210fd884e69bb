#include <benchmark/benchmark.h>

#include "CaseFileGenerator.h"
#include "MemoryUse.h"
#include "import/TextFileReader.h"

#include <filesystem>

namespace kalderon::bench {
namespace {

void ReadRepeatedly(benchmark::State& state, const std::string& path, const TextImportSettings& settings)
{
    for (auto _ : state) {
        const ReadResult<DataSet> read = ReadTextFile(path, settings);
        if (!read) {
            state.SkipWithError(ReaderFaultMessage(read.fault()).c_str());
            break;
        }
        benchmark::DoNotOptimize(read->cases.records.data());
        const double cases = CaseListMegabytes(read->cases);
        const double columns = read->columns.MemoryBytes() / (1024.0 * 1024.0);
        const double file = static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0);
        state.counters["cases_MB"] = cases;
        state.counters["columns_MB"] = columns;
        state.counters["file_MB"] = file;
        state.counters["data_set_per_file"] = (cases + columns) / file;
    }
    state.counters["process_peak_rss_MB"] = PeakResidentMegabytes();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ReadTextFile(benchmark::State& state)
{
    const std::string& path = SharedCaseFile(state.range(0));
    TextImportSettings settings;
    settings.useGroup = settings.useSex = settings.useBirth = true;
    ReadRepeatedly(state, path, settings);
}
BENCHMARK(BM_ReadTextFile)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);

// A CSV file with a line of field names, ISO dates and quoted texts, the
// roles named by their fields; `group` names the grouping variable's field.
TextImportSettings NamedRoles(const char* group)
{
    TextImportSettings settings;
    settings.separator = ",";
    settings.firstLineNames = settings.quotedFields = true;
    settings.useGroup = settings.useSex = settings.useBirth = true;
    settings.beginName = "diagnosis_date";
    settings.endName = "last_contact";
    settings.statusName = "vital_status";
    settings.groupName = group;
    settings.sexName = "sex";
    settings.birthName = "birth_date";
    settings.beginFormat = settings.endFormat = settings.birthFormat = "YYYY-MM-DD";
    return settings;
}

// The same cases with a line of field names, comma separators, ISO dates and
// quoted age groups.
void BM_ReadHeaderCsvFile(benchmark::State& state)
{
    ReadRepeatedly(state, SharedCaseFile(state.range(0), CaseFileLayout::kHeaderCsv), NamedRoles("age_group"));
}
BENCHMARK(BM_ReadHeaderCsvFile)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);

// A registry's export of 20 fields a line: the whole data set, cases and
// every column, against the file's size.
void BM_ReadRegistryFile20Columns(benchmark::State& state)
{
    ReadRepeatedly(state, SharedCaseFile(state.range(0), CaseFileLayout::kRegistry20), NamedRoles("stage"));
}
BENCHMARK(BM_ReadRegistryFile20Columns)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace kalderon::bench
