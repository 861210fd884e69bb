#include <gtest/gtest.h>

#include "analysis/ParameterChoices.h"
#include "support/CaseFactory.h"

namespace kalderon {
namespace {

using testing::Ymd;

TEST(ParameterChoicesTest, ConfirmingWritesRecordAndEveryGroupTable)
{
    CAnalysisData data;
    data.firstBeginDate = Ymd(1995, 3, 8);  // a Wednesday
    data.lastEndDate = Ymd(2004, 6, 7);
    data.statusCodes = {"1", "0", "9"};
    data.groupResults.resize(3);

    ApplyParameterChoices(data, ParameterChoices{"9", 2, ".99"});
    EXPECT_EQ(data.timeUnit, 2);
    EXPECT_EQ(data.windowBegin, Ymd(1995, 3, 6));  // prepared for weeks
    EXPECT_EQ(data.survivalYears, 52);
    EXPECT_EQ(data.eventCode, "9");
    EXPECT_EQ(data.eventCodeIndex, 2);
    EXPECT_EQ(data.ciLevelText, ".99");
    for (const CGroupResult& group : data.groupResults) EXPECT_EQ(group.intervalTable.ciLevelText, ".99");

    ApplyParameterChoices(data, ParameterChoices{"1", 0, ".95"});
    EXPECT_EQ(data.eventCodeIndex, 0);
    EXPECT_EQ(data.windowBegin, Ymd(1995, 1, 1));
    EXPECT_EQ(data.groupResults[2].intervalTable.ciLevelText, ".95");
}

TEST(ParameterChoicesTest, SexCodingAsTheDialogsChooseIt)
{
    const std::vector<std::string> two{"1", "2"};
    EXPECT_EQ(SexCodeFirstOf(two, {0, false}), "1");
    EXPECT_EQ(SexCodeFirstOf(two, {1, false}), "2");
    // Female: the other entry of the list.
    EXPECT_EQ(SexCodeFirstOf(two, {0, true}), "2");
    EXPECT_EQ(SexCodeFirstOf(two, {1, true}), "1");
    // With more than two codes a female mark away from the top names the top.
    const std::vector<std::string> three{"m", "f", "?"};
    EXPECT_EQ(SexCodeFirstOf(three, {2, true}), "m");
    EXPECT_EQ(SexCodeFirstOf(three, {0, true}), "f");
    // One code marked female: no case carries the first-sex code.
    EXPECT_EQ(SexCodeFirstOf({"F"}, {0, true}), "FM");
    EXPECT_EQ(SexCodeFirstOf({"F"}, {0, false}), "F");
    EXPECT_EQ(SexCodeFirstOf({}, {0, false}), "");
    EXPECT_EQ(SexCodeFirstOf({}, {0, true}), "");

    CAnalysisData data;
    data.sexCodes = two;
    ApplyPopulationChoices(data, PopulationChoices{{1, true}, "USA 1940-2014"});
    EXPECT_EQ(data.sexCodeFirst, "1");
    EXPECT_EQ(data.sexCodeIndex, 1);
    EXPECT_EQ(data.sexCodeIsFemale, 1);
    EXPECT_EQ(data.populationTableName, "USA 1940-2014");
}

TEST(ParameterChoicesTest, UsualCodingsUntilSomebodyChooses)
{
    using Codes = std::vector<std::string>;
    // The event: "1" of exactly "0" and "1", else the first code.
    EXPECT_EQ(DefaultEventCodeIndex(Codes{"0", "1"}), 1);
    EXPECT_EQ(DefaultEventCodeIndex(Codes{"1", "0"}), 0);
    for (const Codes& codes : {Codes{}, Codes{"0"}, Codes{"0", "2"}, Codes{"0", "1", "2"}, Codes{"0", "01"},
                               Codes{"alive", "dead"}, Codes{"0 ", "1"}})
        EXPECT_EQ(DefaultEventCodeIndex(codes), 0) << codes.size();
    // Male: "1" of exactly "1" and "2", else the first code.
    EXPECT_EQ(DefaultSexCoding(Codes{"2", "1"}).index, 1);
    EXPECT_EQ(DefaultSexCoding(Codes{"1", "2"}).index, 0);
    for (const Codes& codes : {Codes{}, Codes{"2"}, Codes{"F", "M"}, Codes{"2", "1", "9"}, Codes{"2", "0"}})
        EXPECT_EQ(DefaultSexCoding(codes).index, 0) << codes.size();
    EXPECT_FALSE(DefaultSexCoding(Codes{"2", "1"}).female);

    // The dialogs open there while nothing is chosen, then at the choices.
    CAnalysisData data;
    data.statusCodes = {"0", "1"};
    data.sexCodes = {"2", "1"};
    EXPECT_EQ(PreselectedEventCodeIndex(data), 1);
    EXPECT_EQ(PreselectedSexCoding(data).index, 1);
    EXPECT_FALSE(PreselectedSexCoding(data).female);

    ApplyParameterChoices(data, ParameterChoices{"0", 0, ".95"});  // the living chosen as the event
    EXPECT_EQ(PreselectedEventCodeIndex(data), 0);
    EXPECT_EQ(PreselectedSexCoding(data).index, 0);  // the sex coding as the record keeps it

    CAnalysisData female;
    female.statusCodes = {"0", "1"};
    female.sexCodes = {"2", "1"};
    ApplyPopulationChoices(female, PopulationChoices{{0, true}, "table"});  // "2" marked female
    EXPECT_EQ(PreselectedSexCoding(female).index, 0);
    EXPECT_TRUE(PreselectedSexCoding(female).female);
}

}  // namespace
}  // namespace kalderon
