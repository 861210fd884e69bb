#pragma once

#include <gtest/gtest.h>

#include <string>

#include "analysis/ParameterChoices.h"
#include "import/DataSet.h"
#include "import/PopulationTableLoader.h"
#include "import/TextFileReader.h"
#include "stats/TimeUnit.h"

namespace kalderon::testing {

// data/examples/rdata.txt with its group, sex and birth columns, yearly
// intervals, event "1", relative survival against the Slovenian table (sex
// code 1 male).  Use with ASSERT_NO_FATAL_FAILURE.
inline void ReadRdataWithSlovenianTable(DataSet& dataSet)
{
    TextImportSettings settings;
    settings.useGroup = settings.useSex = settings.useBirth = true;
    ReadResult<DataSet> read = ReadTextFile(std::string(KALDERON_SOURCE_DIR) + "/data/examples/rdata.txt", settings);
    ASSERT_TRUE(read.ok()) << ReaderFaultMessage(read.fault());
    dataSet = std::move(*read);
    CAnalysisData& data = dataSet.analysis;
    ApplyParameterChoices(data, ParameterChoices{"1", kUnitYear, ".95"});
    ApplyPopulationChoices(data, PopulationChoices{{1, false}, "Slovenia 1930-2020"});
    ReadResult<std::vector<CPopulationYearTable>> tables =
        LoadPopulationTable(std::string(KALDERON_SOURCE_DIR) + "/data/LifeTables.mdb", "Slovenia 1930-2020");
    ASSERT_TRUE(tables.ok()) << ReaderFaultMessage(tables.fault());
    data.populationTables = std::move(*tables);
    data.relativeSurvival = 1;
}

}  // namespace kalderon::testing
