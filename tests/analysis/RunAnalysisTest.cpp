#include <gtest/gtest.h>

#include <cstdlib>

#include "analysis/AnalysisWindows.h"
#include "analysis/ParameterChoices.h"
#include "analysis/RunAnalysis.h"
#include "charts/LifeTableChart.h"
#include "import/TextFileReader.h"
#include "resources/StringTable.h"
#include "resources/Texts.h"
#include "results/ComparisonReport.h"
#include "results/ReportClock.h"

namespace kalderon {
namespace {

// The tiny example by its groups, with event code 1 chosen as the dialog does.
DataSet TinyExample()
{
    TextImportSettings settings;
    settings.useGroup = true;
    ReadResult<DataSet> read = ReadTextFile(KALDERON_SOURCE_DIR "/data/examples/tiny.txt", settings);
    EXPECT_TRUE(read.ok()) << ReaderFaultMessage(read.fault());
    DataSet dataSet = read ? std::move(*read) : DataSet();
    ApplyParameterChoices(dataSet.analysis, ParameterChoices{"1", 0, ".95"});
    return dataSet;
}

TEST(RunAnalysisTest, BuildsTheReportOfItsOwnCopyAndWhatTheChartNeeds)
{
    setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
    DataSet dataSet = TinyExample();
    dataSet.analysis.survivalYears = 2;
    dataSet.analysis.periodWidth = 2;
    std::vector<AnalysisStage> stages;
    const AnalysisOutcome trend = RunAnalysis(dataSet.analysis, dataSet.cases, {kTrend, true},
                                              [&](AnalysisStage stage) { stages.push_back(stage); });
    ASSERT_TRUE(trend.succeeded()) << trend.refusal.value_or("");
    EXPECT_EQ(trend.report.kind(), kTrend);
    EXPECT_EQ(trend.chartKind, kChartTrend);
    EXPECT_EQ(trend.chartExtra, 2);
    EXPECT_EQ(stages, (std::vector<AnalysisStage>{AnalysisStage::kComputing, AnalysisStage::kBuildingReport}));
    // The data set's record keeps its parameters and gets no results.
    EXPECT_TRUE(dataSet.analysis.groupResults.front().intervalTable.rows.empty());
    EXPECT_FALSE(trend.report.data().groupResults.front().intervalTable.rows.empty());

    // The texts are those of the report of the computed record at the report clock.
    ResultReport direct;
    direct.SetResults(trend.report.data(), kTrend, FormatReportTimeStamp(ReportTime()));
    EXPECT_EQ(trend.report.reportText(), direct.reportText());
    EXPECT_EQ(trend.report.exportText(), direct.exportText());
    EXPECT_NE(trend.report.reportText().find("Tuesday 14. November 2023"), std::string::npos);

    dataSet.analysis.periodTechnique = 1;
    const AnalysisOutcome period = RunAnalysis(dataSet.analysis, dataSet.cases, {kPeriodAnalysis, false});
    ASSERT_TRUE(period.succeeded());
    EXPECT_EQ(period.chartKind, kChartProductLimit);
    EXPECT_EQ(period.chartExtra, 0);
    const AnalysisOutcome smr = RunAnalysis(dataSet.analysis, dataSet.cases, {kSmrSir, false});
    EXPECT_EQ(smr.chartKind, -1);
    unsetenv("SOURCE_DATE_EPOCH");
}

TEST(RunAnalysisTest, ACaseListHandedOverGivesTheSameTextsAndIsFreed)
{
    setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
    for (const AnalysisKind analysis : {kLifeTable, kProductLimit, kPeriodAnalysis}) {
        DataSet dataSet = TinyExample();
        const AnalysisRequest request{analysis, true, analysis != kPeriodAnalysis};
        const AnalysisOutcome kept = RunAnalysis(dataSet.analysis, dataSet.cases, request);
        std::vector<AnalysisStage> stages;
        const AnalysisOutcome handedOver = RunAnalysis(dataSet.analysis, std::move(dataSet.cases), request,
                                                       [&](AnalysisStage stage) {
                                                           stages.push_back(stage);
                                                           if (stage == AnalysisStage::kBuildingReport) {
                                                               EXPECT_TRUE(dataSet.cases.records.empty());
                                                           }
                                                       });
        ASSERT_TRUE(kept.succeeded() && handedOver.succeeded()) << handedOver.refusal.value_or("");
        EXPECT_EQ(stages, (std::vector<AnalysisStage>{AnalysisStage::kComputing, AnalysisStage::kBuildingReport}));
        EXPECT_TRUE(dataSet.cases.records.empty() && dataSet.cases.facts.cases.empty());
        EXPECT_EQ(handedOver.report.reportText(), kept.report.reportText());
        EXPECT_EQ(handedOver.report.exportText(), kept.report.exportText());
        EXPECT_EQ(handedOver.report.comparisonExportText(), kept.report.comparisonExportText());
        EXPECT_EQ(handedOver.chartKind, kept.chartKind);
    }
    DataSet refused = TinyExample();
    refused.analysis.relativeSurvival = 1;  // without a population table
    const AnalysisOutcome none = RunAnalysis(refused.analysis, std::move(refused.cases), {kProductLimit, true});
    EXPECT_FALSE(none.succeeded());
    EXPECT_EQ(none.refusal, "No general population life table was chosen: relative survival cannot be computed.");
    EXPECT_TRUE(refused.cases.records.empty());
    unsetenv("SOURCE_DATE_EPOCH");
}

TEST(RunAnalysisTest, ComparisonOfGroupsFollowsTheReportWhenAskedFor)
{
    setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
    const DataSet dataSet = TinyExample();
    for (const AnalysisKind analysis : {kLifeTable, kProductLimit}) {
        const AnalysisOutcome plain = RunAnalysis(dataSet.analysis, dataSet.cases, {analysis, true});
        const AnalysisOutcome compared = RunAnalysis(dataSet.analysis, dataSet.cases, {analysis, true, true});
        ASSERT_TRUE(plain.succeeded() && compared.succeeded());
        EXPECT_TRUE(plain.report.comparisonExportText().empty());
        const ComparisonTexts section = WriteComparisonSection(
            CompareGroups(compared.report.data(), dataSet.cases, compared.report.kind(), true), ".95");
        ASSERT_FALSE(section.report.empty());
        EXPECT_EQ(compared.report.reportText(), plain.report.reportText() + section.report);
        EXPECT_EQ(compared.report.exportText(), plain.report.exportText());
        EXPECT_EQ(compared.report.comparisonExportText(), section.exportText);
        EXPECT_EQ(section.exportText.find("Group;Quantile;") != std::string::npos, analysis == kProductLimit);
    }
    EXPECT_TRUE(HasGroupComparison(kLifeTable) && HasGroupComparison(kProductLimit));
    for (const AnalysisKind analysis : {kPeriodAnalysis, kTrend, kSmrSir})
        EXPECT_FALSE(HasGroupComparison(analysis));

    // Other analyses have nothing to add.
    const AnalysisOutcome period = RunAnalysis(dataSet.analysis, dataSet.cases, {kPeriodAnalysis, true, true});
    EXPECT_EQ(period.report.reportText(),
              RunAnalysis(dataSet.analysis, dataSet.cases, {kPeriodAnalysis, true}).report.reportText());
    EXPECT_TRUE(period.report.comparisonExportText().empty());
    unsetenv("SOURCE_DATE_EPOCH");
}

TEST(RunAnalysisTest, RefusalsCarryTheirMessage)
{
    DataSet dataSet = TinyExample();
    dataSet.analysis.timeUnit = 1;
    const AnalysisOutcome months = RunAnalysis(dataSet.analysis, dataSet.cases, {kTrend, true});
    EXPECT_FALSE(months.succeeded());
    EXPECT_EQ(months.refusal, text::kNonYearTrend);
    EXPECT_TRUE(months.report.reportText().empty());

    dataSet.analysis.timeUnit = 0;
    dataSet.analysis.relativeSurvival = 1;  // without a population table
    const AnalysisOutcome relative = RunAnalysis(dataSet.analysis, dataSet.cases, {kLifeTable, true});
    EXPECT_FALSE(relative.succeeded());
    EXPECT_EQ(relative.refusal, "No general population life table was chosen: relative survival cannot be computed.");

    CAnalysisData empty;
    empty.groupResults.resize(1);
    empty.groupResults[0].info.recordsSkipped = 3;
    EXPECT_EQ(NoValidCasesRefusal(empty), LoadString(500));
    const AnalysisOutcome none = RunAnalysis(empty, CaseList{}, {kProductLimit, false});
    EXPECT_EQ(none.refusal, "No valid cases available for analysis! ");
    EXPECT_FALSE(NoValidCasesRefusal(dataSet.analysis));
}

TEST(AnalysisWindowsTest, FramesAndTitlesOfEveryAnalysis)
{
    EXPECT_EQ(WindowStringsOf(kLifeTable, 0).resultFrame, 400);
    EXPECT_EQ(WindowStringsOf(kLifeTable, 0).chartTitle, 403);
    EXPECT_EQ(WindowStringsOf(kPeriodAnalysis, 0).resultTitle, 411);
    EXPECT_EQ(WindowStringsOf(kPeriodAnalysis, 0).chartTitle, 414);
    EXPECT_EQ(WindowStringsOf(kPeriodAnalysis, 1).resultTitle, 412);
    EXPECT_EQ(WindowStringsOf(kPeriodAnalysis, 1).chartTitle, 415);
    EXPECT_EQ(WindowStringsOf(kTrend, 1).resultFrame, 420);
    EXPECT_EQ(WindowStringsOf(kProductLimit, 0).chartFrame, 426);
    EXPECT_EQ(WindowStringsOf(kSmrSir, 0).resultTitle, 429);
    EXPECT_EQ(WindowStringsOf(kSmrSir, 0).chartFrame, 0);
    // String 412 begins with a blank of its own.
    EXPECT_EQ(WindowTitle(412, "tiny.txt"), " Results (Period analysis - Product-limit) for  tiny.txt");
    EXPECT_EQ(WindowTitle(401, "a.txt"), "Results (Life table / Cutler-Ederer) for  a.txt");
}

}  // namespace
}  // namespace kalderon
