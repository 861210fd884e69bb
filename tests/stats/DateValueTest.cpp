#include <gtest/gtest.h>

#include <limits>

#include "stats/DateValue.h"

using kalderon::DateStatus;
using kalderon::DateValue;

TEST(DateValue, SerialNumbersAndFormatting)
{
    EXPECT_EQ(DateValue::FromYmd(1899, 12, 30).serial(), 0.0);
    EXPECT_EQ(DateValue::FromYmd(1900, 1, 1).serial(), 2.0);
    EXPECT_EQ(DateValue::FromYmd(2000, 1, 1).serial(), 36526.0);
    EXPECT_EQ(DateValue::FromYmd(1850, 6, 1).format("%d.%m.%Y"), "01.06.1850");
    EXPECT_EQ(DateValue::FromYmd(2001, 3, 5).displayText(), "05.03.2001");
    EXPECT_EQ(DateValue::FromYmd(2001, 3, 5).format("%d.%m.%y"), "05.03.01");
    EXPECT_EQ(DateValue::Invalid().displayText(), "Invalid date");
    EXPECT_EQ(DateValue::Null().displayText(), "Invalid date");
    const DateValue d = DateValue::FromYmd(2024, 2, 29);
    EXPECT_EQ(d.civil().year, 2024);
    EXPECT_EQ(d.civil().month, 2);
    EXPECT_EQ(d.civil().day, 29);
    EXPECT_EQ(DateValue::FromYmd(2026, 12, 7).dayOfWeek(), 1);  // a Monday
}

TEST(DateValue, ValidityRule)
{
    EXPECT_TRUE(DateValue::FromYmd(2000, 2, 29).isValid());
    EXPECT_FALSE(DateValue::FromYmd(1900, 2, 29).isValid());
    EXPECT_FALSE(DateValue::FromYmd(2001, 13, 1).isValid());
    EXPECT_FALSE(DateValue::FromYmd(2001, 4, 31).isValid());
    EXPECT_FALSE(DateValue::FromYmd(2001, 1, 0).isValid());
    EXPECT_FALSE(DateValue::FromYmd(-1, 1, 1).isValid());  // 65535 as a 16-bit year
    EXPECT_FALSE(DateValue::FromYmd(10000, 1, 1).isValid());
    EXPECT_TRUE(DateValue::FromYmd(20, 1, 1).isValid());
    EXPECT_TRUE(DateValue::FromYmd(0, 3, 1).isValid());
    EXPECT_EQ(DateValue::FromYmd(2001, 2, 30).status(), DateStatus::Invalid);
    EXPECT_EQ(DateValue::FromYmd(2001, 2, 30), DateValue::Invalid());
}

TEST(DateValue, SpansTruncateTowardZero)
{
    EXPECT_EQ(kalderon::SpanDays(DateValue::FromSerial(10.0), DateValue::FromSerial(15.9)), 5);
    EXPECT_EQ(kalderon::SpanDays(DateValue::FromSerial(15.0), DateValue::FromSerial(10.5)), -4);
    EXPECT_FALSE(kalderon::SpanDays(DateValue::Invalid(), DateValue::FromSerial(1.0)).has_value());
}

namespace {

// Civil date of a day count from 1 January 1970, counted by eras of 400
// years in signed arithmetic.
kalderon::CivilDate LiteralCivil(long long z)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const long long m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(yoe + era * 400 + (m <= 2)), static_cast<int>(m), static_cast<int>(doy - (153 * mp + 2) / 5 + 1)};
}

}  // namespace

TEST(DateValue, CivilDatesOfEveryDayAgreeWithEraCounting)
{
    constexpr long long kEpoch = 25569;  // 30.12.1899 .. 01.01.1970
    const auto check = [](long long days) {
        const kalderon::CivilDate c = DateValue::FromSerial(static_cast<double>(days + kEpoch)).civil();
        const kalderon::CivilDate e = LiteralCivil(days);
        return c.year == e.year && c.month == e.month && c.day == e.day;
    };
    // Years -1000 to 10000 day by day, and the far ends of the fast counting.
    for (long long days = -1'100'000; days <= 2'933'000; ++days) ASSERT_TRUE(check(days)) << days;
    for (long long days : {-102'987'368LL, -102'987'367LL, -102'987'366LL, 89'999'999LL, 90'000'000LL, 500'000'000LL,
                           -500'000'000LL})
        EXPECT_TRUE(check(days)) << days;
}

TEST(DateValue, StatusAndDayCountInEightBytes)
{
    static_assert(sizeof(DateValue) == 8);
    const DateValue null, invalid = DateValue::Invalid(), zero = DateValue::FromSerial(0.0);
    EXPECT_EQ(null.status(), DateStatus::Null);
    EXPECT_EQ(invalid.status(), DateStatus::Invalid);
    EXPECT_EQ(zero.status(), DateStatus::Valid);
    EXPECT_EQ(null.serial(), 0.0);
    EXPECT_EQ(invalid.serial(), 0.0);
    EXPECT_EQ(null.civil().year, 1899);  // day 0, as every date that is not valid counts
    EXPECT_EQ(invalid.dayOfWeek(), 6);
    EXPECT_FALSE(null == invalid);
    EXPECT_FALSE(invalid == zero);
    EXPECT_FALSE(null == zero);
    EXPECT_TRUE(DateValue::Invalid() == invalid);
    EXPECT_TRUE(DateValue::FromSerial(-0.0) == zero);
    // A stored serial that is not a number is no valid date.
    EXPECT_EQ(DateValue::FromSerial(std::numeric_limits<double>::quiet_NaN()).status(), DateStatus::Invalid);
    const DateValue copies[] = {null, invalid, DateValue::FromYmd(2026, 12, 8)};
    EXPECT_EQ(copies[0].status(), DateStatus::Null);
    EXPECT_EQ(copies[1].status(), DateStatus::Invalid);
    EXPECT_EQ(copies[2].displayText(), "08.12.2026");
}
