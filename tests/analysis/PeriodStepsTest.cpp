#include <gtest/gtest.h>

#include "analysis/PeriodSteps.h"
#include "support/CaseFactory.h"

namespace kalderon {
namespace {

using testing::Ymd;

CAnalysisData Window(DateValue begin, DateValue end, std::int32_t unit, DateValue periodBegin, DateValue periodEnd)
{
    CAnalysisData data;
    data.windowBegin = begin;
    data.windowEnd = end;
    data.timeUnit = unit;
    data.periodBegin = periodBegin;
    data.periodEnd = periodEnd;
    return data;
}

TEST(PeriodStepsTest, CalendarStepsWrapMonthsAndKeepToTheCalendar)
{
    EXPECT_EQ(OneUnitLater(Ymd(2003, 12, 15), 1), Ymd(2004, 1, 15));
    EXPECT_EQ(OneUnitEarlier(Ymd(2004, 1, 15), 1), Ymd(2003, 12, 15));
    EXPECT_EQ(OneUnitLater(Ymd(2003, 3, 1), 0), Ymd(2004, 3, 1));
    EXPECT_EQ(OneUnitEarlier(Ymd(2003, 3, 1), 0), Ymd(2002, 3, 1));
    EXPECT_EQ(OneUnitLater(Ymd(2004, 2, 26), 2), Ymd(2004, 3, 4));
    EXPECT_EQ(OneUnitEarlier(Ymd(2004, 3, 1), 3), Ymd(2004, 2, 29));
    // Days the target month lacks land on its last day.
    EXPECT_EQ(OneUnitLater(Ymd(2004, 1, 31), 1), Ymd(2004, 2, 29));
    EXPECT_EQ(OneUnitLater(Ymd(2004, 2, 29), 0), Ymd(2005, 2, 28));
    EXPECT_EQ(AddMonths(Ymd(2003, 5, 31), -3), Ymd(2003, 2, 28));
    EXPECT_EQ(AddMonths(Ymd(2000, 1, 10), -25), Ymd(1997, 12, 10));
    EXPECT_EQ(AddYears(Ymd(9999, 6, 1), 1).status(), DateStatus::Invalid);
    EXPECT_EQ(OneUnitLater(DateValue::Null(), 3), DateValue::Null());

    // Period ends go to the last day of the next or previous month.
    EXPECT_EQ(EndOneUnitLater(Ymd(2004, 1, 31), 1), Ymd(2004, 2, 29));
    EXPECT_EQ(EndOneUnitLater(Ymd(2003, 1, 31), 1), Ymd(2003, 2, 28));
    EXPECT_EQ(EndOneUnitLater(Ymd(2003, 12, 31), 1), Ymd(2004, 1, 31));
    EXPECT_EQ(EndOneUnitLater(Ymd(2003, 4, 30), 1), Ymd(2003, 5, 31));
    EXPECT_EQ(EndOneUnitEarlier(Ymd(2004, 1, 31), 1), Ymd(2003, 12, 31));
    EXPECT_EQ(EndOneUnitEarlier(Ymd(2004, 3, 31), 1), Ymd(2004, 2, 29));
    EXPECT_EQ(EndOneUnitLater(Ymd(2003, 12, 31), 0), Ymd(2004, 12, 31));
    EXPECT_EQ(EndOneUnitEarlier(Ymd(2003, 12, 28), 2), Ymd(2003, 12, 21));
}

TEST(PeriodStepsTest, BeginArrowsStayBeforeTheEndAndInsideTheWindow)
{
    CAnalysisData data = Window(Ymd(1995, 1, 1), Ymd(2004, 12, 31), 0, Ymd(1995, 1, 1), Ymd(1997, 12, 31));
    EXPECT_TRUE(StepPeriodBegin(data, true));
    EXPECT_EQ(data.periodBegin, Ymd(1996, 1, 1));
    EXPECT_TRUE(StepPeriodBegin(data, true));
    EXPECT_EQ(data.periodBegin, Ymd(1997, 1, 1));
    EXPECT_FALSE(StepPeriodBegin(data, true));  // 01.01.1998 is after the end
    EXPECT_EQ(data.periodBegin, Ymd(1997, 1, 1));
    EXPECT_TRUE(StepPeriodBegin(data, false));
    EXPECT_TRUE(StepPeriodBegin(data, false));
    EXPECT_EQ(data.periodBegin, Ymd(1995, 1, 1));
    EXPECT_FALSE(StepPeriodBegin(data, false));  // at the window begin

    // Months wrap to December of the year before.
    data.timeUnit = 1;
    data.periodBegin = Ymd(2000, 1, 1);
    EXPECT_TRUE(StepPeriodBegin(data, false));
    EXPECT_EQ(data.periodBegin, Ymd(1999, 12, 1));

    // A week before the window begin stops at it.
    data = Window(Ymd(1995, 1, 2), Ymd(1995, 12, 31), 2, Ymd(1995, 1, 5), Ymd(1995, 12, 31));
    EXPECT_TRUE(StepPeriodBegin(data, false));
    EXPECT_EQ(data.periodBegin, Ymd(1995, 1, 2));

    // Days: the day before the end is the latest begin.
    data = Window(Ymd(2000, 1, 1), Ymd(2000, 1, 10), 3, Ymd(2000, 1, 8), Ymd(2000, 1, 10));
    EXPECT_TRUE(StepPeriodBegin(data, true));
    EXPECT_EQ(data.periodBegin, Ymd(2000, 1, 9));
    EXPECT_FALSE(StepPeriodBegin(data, true));
}

TEST(PeriodStepsTest, EndArrowsStayAfterTheBeginAndInsideTheWindow)
{
    CAnalysisData data = Window(Ymd(2003, 1, 1), Ymd(2004, 12, 31), 1, Ymd(2003, 1, 1), Ymd(2004, 1, 31));
    EXPECT_TRUE(StepPeriodEnd(data, true));
    EXPECT_EQ(data.periodEnd, Ymd(2004, 2, 29));
    data.periodEnd = Ymd(2004, 11, 30);
    EXPECT_TRUE(StepPeriodEnd(data, true));  // 31.12.2004 is no longer before the window end
    EXPECT_EQ(data.periodEnd, Ymd(2004, 12, 31));
    EXPECT_FALSE(StepPeriodEnd(data, true));
    EXPECT_TRUE(StepPeriodEnd(data, false));
    EXPECT_EQ(data.periodEnd, Ymd(2004, 11, 30));

    data.periodBegin = Ymd(2004, 11, 1);
    EXPECT_FALSE(StepPeriodEnd(data, false));  // 31.10.2004 is before the begin
    EXPECT_EQ(data.periodEnd, Ymd(2004, 11, 30));

    // Years, and the window end reached by a year too far.
    data = Window(Ymd(1995, 1, 1), Ymd(2004, 12, 31), 0, Ymd(1995, 1, 1), Ymd(2003, 12, 31));
    EXPECT_TRUE(StepPeriodEnd(data, true));
    EXPECT_EQ(data.periodEnd, Ymd(2004, 12, 31));
    EXPECT_TRUE(StepPeriodEnd(data, false));
    EXPECT_EQ(data.periodEnd, Ymd(2003, 12, 31));

    // Days come back to the last day of the window too.
    data = Window(Ymd(2000, 1, 1), Ymd(2000, 1, 10), 3, Ymd(2000, 1, 1), Ymd(2000, 1, 9));
    EXPECT_TRUE(StepPeriodEnd(data, true));
    EXPECT_EQ(data.periodEnd, Ymd(2000, 1, 10));
}

TEST(PeriodStepsTest, TrendPeriodMovesByOneUnitAndStartsOver)
{
    CAnalysisData data = Window(Ymd(1995, 1, 1), Ymd(2004, 12, 31), 0, Ymd(1995, 1, 1), Ymd(2004, 12, 31));
    data.periodWidth = 5;
    StepAnimatedPeriod(data);
    EXPECT_EQ(data.periodBegin, Ymd(1996, 1, 1));
    EXPECT_EQ(data.periodEnd, Ymd(2001, 1, 1));
    data.periodBegin = Ymd(1998, 1, 1);
    StepAnimatedPeriod(data);  // ends 01.01.2004
    EXPECT_EQ(data.periodBegin, Ymd(1999, 1, 1));
    StepAnimatedPeriod(data);  // would end 01.01.2005
    EXPECT_EQ(data.periodBegin, Ymd(1995, 1, 1));
    EXPECT_EQ(data.periodEnd, Ymd(2000, 1, 1));

    data.timeUnit = 1;
    data.periodWidth = 12;
    StepAnimatedPeriod(data);
    EXPECT_EQ(data.periodBegin, Ymd(1995, 2, 1));
    EXPECT_EQ(data.periodEnd, Ymd(1996, 2, 29));

    data.timeUnit = 2;
    data.periodWidth = 52;
    StepAnimatedPeriod(data);
    EXPECT_EQ(data.periodBegin, Ymd(1995, 2, 8));
    EXPECT_EQ(data.periodEnd, DateValue::FromSerial(Ymd(1995, 2, 8).serial() + 364));

    data.timeUnit = 3;
    data.periodWidth = 365;
    data.periodBegin = Ymd(2004, 1, 1);
    StepAnimatedPeriod(data);  // 02.01.2004 + 365 days is after the window
    EXPECT_EQ(data.periodBegin, Ymd(1995, 1, 1));
    EXPECT_EQ(data.periodEnd, Ymd(1996, 1, 1));
}

}  // namespace
}  // namespace kalderon
