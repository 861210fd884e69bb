#include <gtest/gtest.h>

#include "stats/CalendarTable.h"
#include "stats/PopulationLookup.h"

using namespace kalderon;

TEST(CalendarTable, AgreesWithTheCivilDateInsideAndOutsideTheTable)
{
    // Every day from 1790 to 2210 crosses both ends of the table.
    const auto first = static_cast<long long>(DateValue::FromYmd(1790, 1, 1).serial());
    const auto last = static_cast<long long>(DateValue::FromYmd(2210, 12, 31).serial());
    for (long long day = first; day <= last; ++day) {
        const DateValue date = DateValue::FromSerial(static_cast<double>(day));
        const CivilDate c = date.civil();
        const YearAndDay y = LookUpYearAndDay(date);
        ASSERT_EQ(y.year, c.year) << day;
        ASSERT_EQ(y.monthDay, c.month * 32 + c.day) << day;
    }
    // Ages agree with the completed-age rule, birthdays on 29 February included.
    const DateValue leap = DateValue::FromYmd(1936, 2, 29);
    for (const DateValue at : {DateValue::FromYmd(2001, 2, 28), DateValue::FromYmd(2001, 3, 1),
                               DateValue::FromYmd(2004, 2, 28), DateValue::FromYmd(2004, 2, 29)})
        EXPECT_EQ(CompletedYearsOfAge(LookUpYearAndDay(leap), LookUpYearAndDay(at)), CompletedAge(leap, at));
}
