#include <gtest/gtest.h>

#include "import/FieldConversions.h"

using namespace kalderon;

namespace {

DateValue Ymd(int y, int m, int d) { return DateValue::FromYmd(y, m, d); }

}  // namespace

TEST(FieldConversions, TextOfEveryType)
{
    EXPECT_EQ(VariantToText(FieldValue()), "");
    EXPECT_EQ(VariantToText(FieldValue::Null()), "");
    EXPECT_EQ(VariantToText(FieldValue::Int16(-32768)), "-32768");
    EXPECT_EQ(VariantToText(FieldValue::Int32(-2147483647 - 1)), "-2147483648");
    EXPECT_EQ(VariantToText(FieldValue::Float(1.5f)), "1.5");
    EXPECT_EQ(VariantToText(FieldValue::Float(1e10f)), "1e+10");
    // A 64-bit real holding a whole 32-bit number reads as that number.
    EXPECT_EQ(VariantToText(FieldValue::Double(1.0)), "1");
    EXPECT_EQ(VariantToText(FieldValue::Double(-0.0)), "0");
    EXPECT_EQ(VariantToText(FieldValue::Double(-2147483648.0)), "-2147483648");
    EXPECT_EQ(VariantToText(FieldValue::Double(1.5)), "1.500000e+00");
    EXPECT_EQ(VariantToText(FieldValue::Double(2147483648.0)), "2.147484e+09");
    EXPECT_EQ(VariantToText(FieldValue::Double(1e10)), "1.000000e+10");
    EXPECT_EQ(VariantToText(FieldValue::Currency(-12345678)), "-1234.5678");
    EXPECT_EQ(VariantToText(FieldValue::Currency(15000)), "1.5");
    EXPECT_EQ(VariantToText(FieldValue::Currency(-1)), "-0.0001");
    EXPECT_EQ(VariantToText(FieldValue::Currency(100000000000000)), "10000000000");
    EXPECT_EQ(VariantToText(FieldValue::Currency(0)), "0");
    EXPECT_EQ(VariantToText(FieldValue::Date(Ymd(2001, 3, 5).serial())), "05.03.2001");
    EXPECT_EQ(VariantToText(FieldValue::Date(Ymd(1850, 6, 15).serial() - 0.75)), "15.06.1850");  // 18:00
    EXPECT_EQ(VariantToText(FieldValue::Text(" 1")), " 1");
    EXPECT_EQ(VariantToText(FieldValue::Boolean(true)), "TRUE");
    EXPECT_EQ(VariantToText(FieldValue::Boolean(false)), "FALSE");
    EXPECT_EQ(VariantToText(FieldValue::UInt8(200)), "200");
    EXPECT_EQ(VariantToText(FieldValue::Of(VT_DISPATCH)), "VT_DISPATCH");
    EXPECT_EQ(VariantToText(FieldValue::Of(VT_CLSID)), "VT_CLSID");
    EXPECT_EQ(VariantToText(FieldValue::Of(VT_ARRAY | VT_UI1)), "Array of VT_UI1");
    EXPECT_EQ(VariantToText(FieldValue::Of(VT_ARRAY | VT_BLOB_OBJECT)), "Array of VT_BLOB_OBJECT");

    // Every day a date field can hold reads as strftime writes it.
    for (double day = Ymd(100, 1, 1).serial(); day <= Ymd(9999, 12, 31).serial(); ++day) {
        const std::string text = VariantToText(FieldValue::Date(day));
        if (text != DateValue::FromSerial(day).format("%d.%m.%Y")) FAIL() << "day number " << day << ": " << text;
    }
}

TEST(FieldConversions, WholeNumbers)
{
    auto toInt = [](const FieldValue& v) -> std::optional<std::int32_t> {
        std::int32_t n = 12345;
        if (!VariantToInt(v, n)) return std::nullopt;
        return n;
    };
    EXPECT_EQ(toInt(FieldValue::Int16(-7)), -7);
    EXPECT_EQ(toInt(FieldValue::Int32(2005)), 2005);
    EXPECT_EQ(toInt(FieldValue::UInt8(255)), 255);
    EXPECT_EQ(toInt(FieldValue::Double(2.9)), 2);
    EXPECT_EQ(toInt(FieldValue::Double(-2.9)), -2);
    EXPECT_EQ(toInt(FieldValue::Float(98.0f)), 98);
    EXPECT_EQ(toInt(FieldValue::Text(" 98 ")), 98);
    EXPECT_EQ(toInt(FieldValue::Text("+7")), 7);
    EXPECT_EQ(toInt(FieldValue::Text("-12")), -12);
    EXPECT_EQ(toInt(FieldValue::Text("")), 0);   // empty text passes as 0
    EXPECT_EQ(toInt(FieldValue::Text(" - ")), 0);  // so does a lone sign
    EXPECT_EQ(toInt(FieldValue::Text("abc")), std::nullopt);
    EXPECT_EQ(toInt(FieldValue::Text("19 98")), std::nullopt);
    EXPECT_EQ(toInt(FieldValue::Text("1.5")), std::nullopt);
    EXPECT_EQ(toInt(FieldValue::Text("99999999999")), std::nullopt);
    EXPECT_EQ(toInt(FieldValue::Double(1e10)), std::nullopt);
    EXPECT_EQ(toInt(FieldValue::Null()), std::nullopt);
    EXPECT_EQ(toInt(FieldValue()), std::nullopt);
    EXPECT_EQ(toInt(FieldValue::Boolean(true)), std::nullopt);
    EXPECT_EQ(toInt(FieldValue::Currency(10000)), std::nullopt);
    EXPECT_EQ(toInt(FieldValue::Date(100.0)), std::nullopt);
}

TEST(FieldConversions, RealNumbers)
{
    double x = 0;
    EXPECT_TRUE(VariantToDouble(FieldValue::Int16(3), x));
    EXPECT_EQ(x, 3.0);
    EXPECT_TRUE(VariantToDouble(FieldValue::Float(0.1f), x));
    EXPECT_EQ(x, static_cast<double>(0.1f));
    EXPECT_TRUE(VariantToDouble(FieldValue::Double(0.30295746542643887), x));
    EXPECT_EQ(x, 0.30295746542643887);
    EXPECT_TRUE(VariantToDouble(FieldValue::UInt8(200), x));
    EXPECT_EQ(x, 200.0);
    EXPECT_FALSE(VariantToDouble(FieldValue::Text("1.5"), x));
    EXPECT_FALSE(VariantToDouble(FieldValue::Null(), x));
    EXPECT_FALSE(VariantToDouble(FieldValue::Currency(1), x));
}

TEST(FieldConversions, Dates)
{
    DateValue date;
    EXPECT_TRUE(VariantToDate(FieldValue::Date(36526.75), date));
    EXPECT_EQ(date, DateValue::FromSerial(36526.75));
    EXPECT_TRUE(VariantToDate(FieldValue::Text("05.03.2001"), date));
    EXPECT_EQ(date, Ymd(2001, 3, 5));

    date = Ymd(2000, 1, 1);
    EXPECT_FALSE(VariantToDate(FieldValue::Null(), date));
    EXPECT_EQ(date.status(), DateStatus::Invalid);
    date = Ymd(2000, 1, 1);
    EXPECT_FALSE(VariantToDate(FieldValue::Text("31.04.2005"), date));
    EXPECT_EQ(date.status(), DateStatus::Invalid);
    EXPECT_FALSE(VariantToDate(FieldValue::Int32(36526), date));
    EXPECT_FALSE(VariantToDate(FieldValue::Date(1e10), date));
    EXPECT_EQ(date.status(), DateStatus::Invalid);
}

TEST(FieldConversions, IntegerTexts)
{
    for (const char* good : {"", " ", "0", "+1", "-1", " 42 ", "\t7\n", "-", "+", "0012"})
        EXPECT_TRUE(IsIntegerText(good)) << '"' << good << '"';
    for (const char* bad : {"1-", "+-1", "1 2", "1.0", "1e3", "abc", "--1", "0x10"})
        EXPECT_FALSE(IsIntegerText(bad)) << '"' << bad << '"';
}

TEST(FieldConversions, DateTextsInTheAcceptedForms)
{
    EXPECT_EQ(ParseDateText("05.03.2001"), Ymd(2001, 3, 5));
    EXPECT_EQ(ParseDateText("5.3.2001"), Ymd(2001, 3, 5));
    EXPECT_EQ(ParseDateText("  05.03.2001 "), Ymd(2001, 3, 5));
    EXPECT_EQ(ParseDateText("03/05/2001"), Ymd(2001, 3, 5));  // month first with slashes
    EXPECT_EQ(ParseDateText("2001-03-05"), Ymd(2001, 3, 5));
    EXPECT_EQ(ParseDateText("2001-3-5"), Ymd(2001, 3, 5));
    EXPECT_EQ(ParseDateText("05.03.98"), Ymd(1998, 3, 5));
    EXPECT_EQ(ParseDateText("05.03.29"), Ymd(2029, 3, 5));
    EXPECT_EQ(ParseDateText("05.03.30"), Ymd(1930, 3, 5));
    EXPECT_EQ(ParseDateText("15.06.1850"), Ymd(1850, 6, 15));
    EXPECT_EQ(ParseDateText("29.02.2000"), Ymd(2000, 2, 29));
    EXPECT_EQ(ParseDateText("2001-03-05 12:00").serial(), Ymd(2001, 3, 5).serial() + 0.5);
    EXPECT_EQ(ParseDateText("05.03.2001 06:00:00").serial(), Ymd(2001, 3, 5).serial() + 0.25);
    // Before day 0 the time counts away from zero, and the day stays the same.
    EXPECT_EQ(ParseDateText("15.06.1850 18:00").serial(), Ymd(1850, 6, 15).serial() - 0.75);
    EXPECT_EQ(ParseDateText("15.06.1850 18:00").format("%d.%m.%Y"), "15.06.1850");

    for (const char* bad : {"", "2001", "29.02.2001", "31.04.2005", "00.01.2000", "05.13.2001", "05-03-2001",
                            "2001.03.05", "2001/03/05", "05.03.2001x", "05.03.201", "05.03.12345", "1.2.3",
                            "05.03.2001 25:00", "05.03.2001 1:5", "05.03.2001T12:00", "5/3", "1999-12-31-1"})
        EXPECT_EQ(ParseDateText(bad).status(), DateStatus::Invalid) << '"' << bad << '"';
}
