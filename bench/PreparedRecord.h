#pragma once

#include "SharedDataSet.h"
#include "SyntheticPopulation.h"
#include "analysis/ParameterChoices.h"

namespace kalderon::bench {

// The generated data set with the synthetic tables chosen and relative
// survival set as `method` says (-1 none, else an ExpectedSurvivalMethod);
// the benchmarks share the record, so relative and net survival are switched
// off again at the end.
class PreparedRecord {
public:
    PreparedRecord(std::int64_t cases, int method) : dataSet_(SharedDataSet(cases))
    {
        CAnalysisData& data = dataSet_.analysis;
        ApplyParameterChoices(data, ParameterChoices{"1", 0, ".95"});
        if (data.populationTables.empty()) data.populationTables = SyntheticTables();
        ApplyPopulationChoices(data, PopulationChoices{{0, false}, "Synthetic"});
        data.relativeSurvival = method >= 0 ? 1 : 0;
        data.SetSurvivalMethod(method > 0 ? static_cast<ExpectedSurvivalMethod>(method)
                                          : ExpectedSurvivalMethod::kEdererII);
        data.closingDate = data.lastEndDate;
    }
    ~PreparedRecord()
    {
        dataSet_.analysis.relativeSurvival = 0;
        dataSet_.analysis.netSurvival = 0;
    }

    CAnalysisData& data() { return dataSet_.analysis; }
    const CaseList& cases() const { return dataSet_.cases; }

private:
    DataSet& dataSet_;
};

}  // namespace kalderon::bench
