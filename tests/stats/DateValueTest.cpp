#include <gtest/gtest.h>

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
