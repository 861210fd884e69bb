#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "analysis/AgeStandardisedSurvival.h"
#include "analysis/ParameterChoices.h"
#include "analysis/RunAnalysis.h"
#include "import/DataSet.h"
#include "import/TextFileReader.h"
#include "stats/CalendarTable.h"
#include "stats/PopulationTableLoader.h"
#include "stats/TimeUnit.h"

namespace kalderon {
namespace {

// rdata.txt with the Slovenian table, relative survival, yearly intervals.
class AgeStandardisedSurvivalTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TextImportSettings settings;
        settings.useGroup = settings.useSex = settings.useBirth = true;
        std::string error;
        ASSERT_TRUE(ReadTextFile(std::string(KALDERON_SOURCE_DIR) + "/data/examples/rdata.txt", settings, dataSet,
                                 error))
            << error;
        CAnalysisData& data = dataSet.analysis;
        ApplyParameterChoices(data, ParameterChoices{"1", kUnitYear, ".95"});
        ApplyPopulationChoices(data, PopulationChoices{{1, false}, "Slovenia 1930-2020"});
        ASSERT_TRUE(LoadPopulationTable(std::string(KALDERON_SOURCE_DIR) + "/data/LifeTables.mdb",
                                        "Slovenia 1930-2020", data.populationTables, error))
            << error;
        data.relativeSurvival = 1;
    }

    // The life table of all groups together over the cases whose age at the
    // begin of follow-up lies in [from, to): the others are made invalid.
    CAnalysisData AgeGroupTable(int from, int to, bool net) const
    {
        CaseList cases = dataSet.cases;
        for (CCaseRecord& c : cases.records) {
            const int age = CompletedYearsOfAge(LookUpYearAndDay(c.birthDate), LookUpYearAndDay(c.beginDate));
            if (age < from || age >= to) c.isValid = false;
        }
        cases.facts = BuildCaseFacts(cases.records, cases.groupIndex);
        CAnalysisData data = dataSet.analysis;
        data.netSurvival = net ? 1 : 0;
        const AnalysisOutcome outcome = RunAnalysis(std::move(data), cases, {Analysis::LifeTable, false});
        EXPECT_TRUE(outcome.succeeded()) << outcome.refusal;
        return outcome.report.data();
    }

    DataSet dataSet;
};

TEST_F(AgeStandardisedSurvivalTest, WeightedSumsOfTheAgeGroupsLifeTables)
{
    const int bounds[] = {15, 45, 55, 65, 75, 1000};
    const double weights[] = {0.07, 0.12, 0.23, 0.29, 0.29};  // ICSS 1
    std::array<CAnalysisData, 5> ederer, net;
    for (int a = 0; a < 5; ++a) {
        ederer[a] = AgeGroupTable(bounds[a], bounds[a + 1], false);
        net[a] = AgeGroupTable(bounds[a], bounds[a + 1], true);
    }

    const std::vector<StandardisedGroup> standardised =
        StandardiseSurvival(dataSet.analysis, dataSet.cases, kLifeTable, false, kIcss1);
    ASSERT_EQ(standardised.size(), 1u);
    EXPECT_EQ(standardised[0].underAge, 0);  // rdata has no case under 15
    const std::vector<StandardisedInterval>& rows = standardised[0].intervals;
    ASSERT_EQ(rows.size(), 15u);
    int available = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i + 1);
        bool all = true;
        double observed = 0, observedVar = 0, relative = 0, relativeVar = 0, netValue = 0, netVar = 0;
        for (int a = 0; a < 5; ++a) {
            const CIntervalResult& e = ederer[a].groupResults[0].intervalTable.rows.at(i);
            const CIntervalResult& n = net[a].groupResults[0].intervalTable.rows.at(i);
            all = all && e.exposedToRisk > 0.0;
            const double w = weights[a];
            observed += w * e.cumulativeSurvival;
            observedVar += w * w * std::pow(e.standardError * e.expectedSurvival, 2);
            relative += w * e.relativeSurvival;
            relativeVar += w * w * e.standardError * e.standardError;
            netValue += w * n.relativeSurvival;
            netVar += w * w * n.standardError * n.standardError;
        }
        EXPECT_EQ(rows[i].observed.available, all);
        EXPECT_EQ(rows[i].relative.available, all);
        EXPECT_EQ(rows[i].net.available, all);
        if (!all) continue;
        ++available;
        EXPECT_NEAR(rows[i].observed.value, observed, 1e-12);
        EXPECT_NEAR(rows[i].observed.standardError, std::sqrt(observedVar), 1e-12);
        EXPECT_NEAR(rows[i].relative.value, relative, 1e-12);
        EXPECT_NEAR(rows[i].relative.standardError, std::sqrt(relativeVar), 1e-12);
        EXPECT_NEAR(rows[i].net.value, netValue, 1e-12);
        EXPECT_NEAR(rows[i].net.standardError, std::sqrt(netVar), 1e-12);
    }
    EXPECT_EQ(available, 14);  // the oldest group has nobody left in interval 15

    // The analysis puts exactly this section after the group sections.
    CAnalysisData data = dataSet.analysis;
    const std::string plain = RunAnalysis(data, dataSet.cases, {Analysis::LifeTable, false}).report.reportText();
    const std::string report =
        RunAnalysis(data, dataSet.cases, {Analysis::LifeTable, false, false, kIcss1}).report.reportText();
    EXPECT_EQ(report, plain + WriteStandardisedSection(standardised, kIcss1).report);
}

}  // namespace
}  // namespace kalderon
