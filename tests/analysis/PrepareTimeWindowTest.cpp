#include <gtest/gtest.h>

#include "stats/AnalysisData.h"
#include "support/CaseFactory.h"

using namespace kalderon;
using kalderon::testing::Ymd;

namespace {
CAnalysisData Window(DateValue first, DateValue last, int unit)
{
    CAnalysisData d;
    d.firstBeginDate = first;
    d.lastEndDate = last;
    d.timeUnit = unit;
    return d;
}
}  // namespace

TEST(PrepareTimeWindow, WholeUnitsAndPeriodClamping)
{
    CAnalysisData year = Window(Ymd(1995, 3, 4), Ymd(2004, 6, 7), 0);
    year.PrepareTimeWindow();
    EXPECT_EQ(year.windowBegin, Ymd(1995, 1, 1));
    EXPECT_EQ(year.windowEnd, Ymd(2004, 12, 31));
    EXPECT_EQ(year.periodBegin, year.windowBegin);  // unset period: the whole window
    EXPECT_EQ(year.periodEnd, year.windowEnd);
    EXPECT_EQ(year.survivalYears, 5);
    EXPECT_EQ(year.periodWidth, 5);

    year.periodBegin = Ymd(2001, 3, 15);
    year.periodEnd = Ymd(2003, 10, 20);
    year.PrepareTimeWindow();
    EXPECT_EQ(year.periodBegin, Ymd(2001, 1, 1));
    EXPECT_EQ(year.periodEnd, Ymd(2003, 12, 31));

    year.periodBegin = Ymd(1990, 3, 15);  // before the window
    year.periodEnd = DateValue::Invalid();
    year.PrepareTimeWindow();
    EXPECT_EQ(year.periodBegin, Ymd(1995, 1, 1));
    EXPECT_EQ(year.periodEnd, Ymd(2004, 12, 31));

    CAnalysisData month = Window(Ymd(2000, 2, 14), Ymd(2004, 2, 3), 1);
    month.periodEnd = Ymd(2001, 2, 10);
    month.PrepareTimeWindow();
    EXPECT_EQ(month.windowBegin, Ymd(2000, 2, 1));
    EXPECT_EQ(month.windowEnd, Ymd(2004, 2, 29));
    EXPECT_EQ(month.periodEnd, Ymd(2001, 2, 28));
    EXPECT_EQ(month.survivalYears, 12);
    EXPECT_EQ(month.periodWidth, 12);

    // 06.12.2026 is a Sunday, 02.12.2026 a Wednesday.
    CAnalysisData week = Window(Ymd(2026, 12, 2), Ymd(2026, 12, 6), 2);
    week.PrepareTimeWindow();
    EXPECT_EQ(week.windowBegin, Ymd(2026, 11, 30));
    EXPECT_EQ(week.windowEnd, Ymd(2026, 12, 6));
    EXPECT_EQ(week.survivalYears, 52);

    CAnalysisData day = Window(Ymd(2000, 1, 5), Ymd(2000, 3, 5), 3);
    day.periodBegin = Ymd(2000, 1, 5);
    day.periodEnd = Ymd(2000, 2, 1);
    day.PrepareTimeWindow();
    EXPECT_EQ(day.windowBegin, Ymd(2000, 1, 5));
    EXPECT_EQ(day.periodBegin, Ymd(2000, 1, 5));
    EXPECT_EQ(day.periodEnd, Ymd(2000, 2, 1));
    EXPECT_EQ(day.periodWidth, 365);
}
