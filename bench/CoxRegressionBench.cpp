#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "CaseFileGenerator.h"
#include "MemoryUse.h"
#include "analysis/CoxAnalysis.h"
#include "import/TextFileReader.h"

namespace kalderon::bench {
namespace {

// The generated registry export of 1,000,000 cases (20 fields), read once.
const DataSet& RegistryCases()
{
    static const DataSet data = [] {
        TextImportSettings settings;
        settings.separator = ",";
        settings.firstLineNames = settings.quotedFields = true;
        settings.useSex = settings.useBirth = true;
        settings.beginName = "diagnosis_date";
        settings.endName = "last_contact";
        settings.statusName = "vital_status";
        settings.sexName = "sex";
        settings.birthName = "birth_date";
        settings.beginFormat = settings.endFormat = settings.birthFormat = "YYYY-MM-DD";
        ReadResult<DataSet> read = ReadTextFile(SharedCaseFile(1'000'000, CaseFileLayout::kRegistry20), settings);
        if (!read) {
            std::fprintf(stderr, "%s\n", ReaderFaultMessage(read.fault()).c_str());
            std::exit(1);
        }
        return std::move(*read);
    }();
    return data;
}

// Five covariates, the age at diagnosis, the sex (a factor), the tumour size,
// the BMI and the stage (a factor of 4 levels), Efron's ties; with strata by
// comorbidity (6 levels) or none.
CoxModelChoice FiveCovariates(bool strata)
{
    return {{"age", "sex", "size_mm", "bmi", "stage"}, {"sex"}, {}, strata ? std::vector<std::string>{"comorbidity"} : std::vector<std::string>{},
            {"1"}, CoxTies::kEfron, "stage", {}};
}

// The whole analysis: design from the columns, fit, tests, concordance,
// proportional hazards test and the curves by stage.
void BM_CoxRegression(benchmark::State& state)
{
    const DataSet& data = RegistryCases();
    const CoxModelChoice choice = FiveCovariates(state.range(0) != 0);
    const double before = PeakResidentMegabytes();
    int iterations = 0;
    for (auto _ : state) {
        CoxAnalysis analysis;
        if (RunCoxAnalysis(data, choice, ".95", analysis)) state.SkipWithError("refused");
        iterations = analysis.model.fit.iterations;
        benchmark::DoNotOptimize(analysis.model.rows);
    }
    state.counters["newton_steps"] = iterations;
    state.counters["peak_MB"] = PeakResidentMegabytes();
    state.counters["peak_MB_over_data"] = PeakResidentMegabytes() - before;
}
BENCHMARK(BM_CoxRegression)->ArgNames({"strata"})->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

// The fit alone (Newton-Raphson) on the built design.
void BM_CoxFit(benchmark::State& state)
{
    CoxDesign design;
    if (BuildCoxDesign(RegistryCases(), FiveCovariates(state.range(0) != 0), design)) state.SkipWithError("refused");
    for (auto _ : state) benchmark::DoNotOptimize(FitCox(design.sample, CoxTies::kEfron).coef);
}
BENCHMARK(BM_CoxFit)->ArgNames({"strata"})->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace kalderon::bench
