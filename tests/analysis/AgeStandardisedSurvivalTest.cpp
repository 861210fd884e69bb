#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "analysis/AgeStandardisedSurvival.h"
#include "analysis/ParameterChoices.h"
#include "analysis/RunAnalysis.h"
#include "import/DataSet.h"
#include "import/PopulationTableLoader.h"
#include "import/TextFileReader.h"
#include "results/StandardisedSection.h"
#include "stats/CalendarTable.h"
#include "stats/TimeUnit.h"
#include "support/RdataWithSlovenianTable.h"

namespace kalderon {
namespace {

// rdata.txt with the Slovenian table, relative survival, yearly intervals.
class AgeStandardisedSurvivalTest : public ::testing::Test {
protected:
    // A fixed creation time: reports made a second apart stay comparable.
    void SetUp() override
    {
        setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
        ASSERT_NO_FATAL_FAILURE(testing::ReadRdataWithSlovenianTable(dataSet));
    }
    void TearDown() override { unsetenv("SOURCE_DATE_EPOCH"); }

    // The analysis of all groups together over the cases whose age at the
    // begin of follow-up lies in [from, to): the others are made invalid.
    CAnalysisData AgeGroupTable(int from, int to, bool net, AnalysisKind analysis = kLifeTable) const
    {
        CaseList cases = dataSet.cases;
        for (CCaseRecord& c : cases.records) {
            const int age = CompletedYearsOfAge(LookUpYearAndDay(c.birthDate), LookUpYearAndDay(c.beginDate));
            if (age < from || age >= to) c.isValid = false;
        }
        cases.facts = BuildCaseFacts(cases.records, cases.groupIndex);
        CAnalysisData data = dataSet.analysis;
        data.netSurvival = net ? 1 : 0;
        const AnalysisOutcome outcome = RunAnalysis(std::move(data), cases, {analysis, false});
        EXPECT_TRUE(outcome.succeeded()) << outcome.refusal.value_or("");
        return outcome.report.data();
    }

    // Checks every standardised row against the ICSS 1 weighted sums of the
    // age groups' own tables, run one by one; returns how many rows have an
    // estimate.
    int ExpectWeightedSums(const std::vector<StandardisedInterval>& rows, AnalysisKind analysis) const
    {
        const int bounds[] = {15, 45, 55, 65, 75, 1000};
        const double weights[] = {0.07, 0.12, 0.23, 0.29, 0.29};
        std::array<CAnalysisData, 5> ederer, net;
        for (int a = 0; a < 5; ++a) {
            ederer[a] = AgeGroupTable(bounds[a], bounds[a + 1], false, analysis);
            net[a] = AgeGroupTable(bounds[a], bounds[a + 1], true, analysis);
        }
        int available = 0;
        for (size_t i = 0; i < rows.size(); ++i) {
            SCOPED_TRACE(i + 1);
            EXPECT_EQ(rows[i].intervalNumber, static_cast<std::int32_t>(i + 1));
            bool all = true;
            double observed = 0, observedVar = 0, relative = 0, relativeVar = 0, netValue = 0, netVar = 0;
            for (int a = 0; a < 5; ++a) {
                const std::vector<CIntervalResult>& edererRows = ederer[a].groupResults[0].intervalTable.rows;
                const std::vector<CIntervalResult>& netRows = net[a].groupResults[0].intervalTable.rows;
                EXPECT_EQ(edererRows.size(), netRows.size());
                if (i >= std::min(edererRows.size(), netRows.size()) || edererRows[i].exposedToRisk <= 0.0) {
                    all = false;
                    continue;
                }
                const CIntervalResult& e = edererRows[i];
                const CIntervalResult& n = netRows[i];
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
        return available;
    }

    DataSet dataSet;
};

TEST_F(AgeStandardisedSurvivalTest, WeightedSumsOfTheAgeGroupsLifeTables)
{
    const std::vector<StandardisedGroup> standardised =
        StandardiseSurvival(dataSet.analysis, dataSet.cases, kLifeTable, false, kIcss1);
    ASSERT_EQ(standardised.size(), 1u);
    EXPECT_EQ(standardised[0].underAge, 0);  // rdata has no case under 15
    ASSERT_EQ(standardised[0].intervals.size(), 15u);
    EXPECT_EQ(ExpectWeightedSums(standardised[0].intervals, kLifeTable), 14);
    // the oldest group has nobody left in interval 15

    // The analysis puts exactly this section after the group sections.
    CAnalysisData data = dataSet.analysis;
    const std::string plain = RunAnalysis(data, dataSet.cases, {kLifeTable, false}).report.reportText();
    const std::string report =
        RunAnalysis(data, dataSet.cases, {kLifeTable, false, false, kIcss1}).report.reportText();
    EXPECT_EQ(report, plain + WriteStandardisedSection(standardised, kIcss1).report);
}

TEST_F(AgeStandardisedSurvivalTest, WeightedSumsOfTheAgeGroupsPeriodTables)
{
    CAnalysisData& data = dataSet.analysis;
    data.periodBegin = DateValue::FromYmd(1986, 1, 1);
    data.periodEnd = DateValue::FromYmd(1990, 12, 31);
    data.periodTechnique = 0;

    const std::vector<StandardisedGroup> standardised =
        StandardiseSurvival(data, dataSet.cases, kPeriodAnalysis, false, kIcss1);
    ASSERT_EQ(standardised.size(), 1u);
    EXPECT_EQ(standardised[0].underAge, 0);
    ASSERT_EQ(standardised[0].intervals.size(), 15u);
    // Diagnoses of 1982-1986 seen in 1986-1990 reach 9 years of follow-up.
    EXPECT_EQ(ExpectWeightedSums(standardised[0].intervals, kPeriodAnalysis), 9);

    // The section and its export lines follow the group sections of the
    // report and the export.
    const ResultReport plain = RunAnalysis(data, dataSet.cases, {kPeriodAnalysis, false}).report;
    const ResultReport withSection =
        RunAnalysis(data, dataSet.cases, {kPeriodAnalysis, false, false, kIcss1}).report;
    const ReportSection texts = WriteStandardisedSection(standardised, kIcss1);
    EXPECT_EQ(withSection.reportText(), plain.reportText() + texts.report);
    EXPECT_EQ(withSection.exportText(), plain.exportText() + texts.exportText.Text());

    // The product-limit technique has no interval table to standardise.
    data.periodTechnique = 1;
    const ResultReport productLimit =
        RunAnalysis(data, dataSet.cases, {kPeriodAnalysis, false, false, kIcss1}).report;
    const ResultReport productLimitPlain = RunAnalysis(data, dataSet.cases, {kPeriodAnalysis, false}).report;
    EXPECT_EQ(productLimit.reportText(), productLimitPlain.reportText());
    EXPECT_EQ(productLimit.exportText(), productLimitPlain.exportText());
}

}  // namespace
}  // namespace kalderon
