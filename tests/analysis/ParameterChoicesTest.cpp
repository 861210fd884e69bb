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

}  // namespace
}  // namespace kalderon
