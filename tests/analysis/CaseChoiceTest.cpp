#include <gtest/gtest.h>

#include "analysis/CaseChoice.h"
#include "analysis/RunAnalysis.h"
#include "import/TextFileReader.h"
#include "support/RdataWithSlovenianTable.h"
#include "support/TempDir.h"

namespace kalderon {
namespace {

CaseCondition Condition(const DataSet& data, const char* text)
{
    CaseCondition condition;
    EXPECT_FALSE(ReadCaseCondition(data.columns, data.hasBirthColumn, text, condition)) << text;
    return condition;
}

std::string Report(const DataSet& data, AnalysisKind kind)
{
    const AnalysisOutcome outcome = RunAnalysis(data.analysis, data.cases, {kind, true, kind != kTrend});
    EXPECT_TRUE(outcome.succeeded());
    return outcome.report.reportText() + outcome.report.exportText();
}

// Choosing nothing after a selection and a regrouping gives back every
// figure of the data set as read, so that "All cases" changes no byte.
TEST(CaseChoiceTest, ChoosingNothingGivesBackTheDataSetAsRead)
{
    DataSet data;
    ASSERT_NO_FATAL_FAILURE(testing::ReadRdataWithSlovenianTable(data));
    const DataSet read = data;
    const std::string lifeTable = Report(data, kLifeTable), productLimit = Report(data, kProductLimit);

    CaseChoice choice;
    choice.conditions = {Condition(data, "age=50..70"), Condition(data, "6!=")};
    GroupKey bands;
    bands.kind = GroupKey::Kind::kBeginYearBands;
    bands.cuts = {1984};
    choice.grouping.keys = {bands};
    ApplyCaseChoice(data, choice);
    EXPECT_EQ(data.analysis.selectionText, "age=50..70; 6!=");
    ASSERT_EQ(data.cases.groups.size(), 2u);
    EXPECT_EQ(data.cases.groups[0].code, "<1984");
    EXPECT_EQ(data.cases.groups[1].code, "1984+");
    EXPECT_LT(data.analysis.TotalRecordsRead(), read.analysis.TotalRecordsRead());

    ApplyCaseChoice(data, {});
    EXPECT_TRUE(data.cases.selected.empty());
    EXPECT_TRUE(data.analysis.selectionText.empty());
    EXPECT_EQ(data.cases.groupIndex, read.cases.groupIndex);
    ASSERT_EQ(data.cases.groups.size(), read.cases.groups.size());
    for (size_t g = 0; g < data.cases.groups.size(); ++g) {
        EXPECT_EQ(data.cases.groups[g].code, read.cases.groups[g].code);
        EXPECT_EQ(data.cases.groups[g].recordsSkipped, read.cases.groups[g].recordsSkipped);
    }
    EXPECT_EQ(data.analysis.statusCodes, read.analysis.statusCodes);
    EXPECT_EQ(data.analysis.sexCodes, read.analysis.sexCodes);
    EXPECT_EQ(data.analysis.maxObservationDays, read.analysis.maxObservationDays);
    EXPECT_EQ(data.cases.facts.starts.size(), read.cases.facts.starts.size());
    EXPECT_EQ(data.cases.facts.groupStarts.size(), read.cases.facts.groupStarts.size());
    EXPECT_EQ(Report(data, kLifeTable), lifeTable);
    EXPECT_EQ(Report(data, kProductLimit), productLimit);
}

// Groups follow their values: numbers in numeric order, the empty value
// first; texts byte by byte.  Crossed groups join their texts.
TEST(CaseChoiceTest, GroupsStandInTheOrderOfTheirValues)
{
    const testing::TempDir dir;
    const std::string path = dir.Write("cases.txt",
                                       "01.01.2000;01.01.2001;1;10;b\n01.01.2000;01.01.2002;0;9;B\n"
                                       "01.01.2000;01.01.2003;1;;b\n01.01.2000;01.01.2004;0;2;a\n"
                                       "01.01.2000;01.01.2005;1;10;a\n");
    ReadResult<DataSet> read = ReadTextFile(path, TextImportSettings{});
    ASSERT_TRUE(read.ok());
    DataSet& data = *read;
    const auto codes = [&] {
        std::vector<std::string> texts;
        for (const CGroupInfo& info : data.cases.groups) texts.push_back(info.code);
        return texts;
    };
    CaseChoice choice;
    choice.grouping.keys.resize(1);
    ASSERT_FALSE(FindCaseField(data.columns, false, "4", choice.grouping.keys[0].field));
    ApplyCaseChoice(data, choice);
    EXPECT_EQ(codes(), (std::vector<std::string>{"", "2", "9", "10"}));
    EXPECT_TRUE(data.hasGroupColumn);

    choice.grouping.keys.resize(2);
    ASSERT_FALSE(FindCaseField(data.columns, false, "5", choice.grouping.keys[1].field));
    choice.conditions = {Condition(data, "5=a,b")};
    ApplyCaseChoice(data, choice);
    EXPECT_EQ(codes(), (std::vector<std::string>{" / b", "2 / a", "10 / a", "10 / b"}));
    EXPECT_EQ(data.analysis.TotalRecordsRead(), 4);
    EXPECT_EQ(data.analysis.statusCodes, (std::vector<std::string>{"1", "0"}));
}

}  // namespace
}  // namespace kalderon
