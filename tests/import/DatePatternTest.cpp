#include <gtest/gtest.h>

#include "import/DatePattern.h"

namespace kalderon {
namespace {

DateValue Ymd(int y, int m, int d) { return DateValue::FromYmd(y, m, d); }

TEST(DatePatternTest, ReadsEachOfferedPattern)
{
    EXPECT_EQ(ParseDatePattern("05.03.2001", "DD.MM.YYYY"), Ymd(2001, 3, 5));
    EXPECT_EQ(ParseDatePattern("05032001", "DDMMYYYY"), Ymd(2001, 3, 5));
    EXPECT_EQ(ParseDatePattern("05/03/2001", "DD/MM/YYYY"), Ymd(2001, 3, 5));
    EXPECT_EQ(ParseDatePattern("03052001", "MMDDYYYY"), Ymd(2001, 3, 5));
    EXPECT_EQ(ParseDatePattern("20010305", "YYYYMMDD"), Ymd(2001, 3, 5));
    // The characters between the pieces are never examined.
    EXPECT_EQ(ParseDatePattern("05x03y2001", "DD.MM.YYYY"), Ymd(2001, 3, 5));
}

TEST(DatePatternTest, PiecesAreReadLikeAtoi)
{
    // The month piece of 2001-03-05 read as YYYYMMDD is "-0", read as 0.
    EXPECT_EQ(ParseDatePattern("2001-03-05", "YYYYMMDD").status(), DateStatus::Invalid);
    // Not zero-padded: the month piece ".2" reads 0.
    EXPECT_EQ(ParseDatePattern("1.2.2000", "DD.MM.YYYY").status(), DateStatus::Invalid);
    // Leading white space and a plus sign are skipped, digits end at the first other character.
    EXPECT_EQ(ParseDatePattern(" 5.03.2001", "DD.MM.YYYY"), Ymd(2001, 3, 5));
    EXPECT_EQ(ParseDatePattern("+5.3x.2001", "DD.MM.YYYY"), Ymd(2001, 3, 5));
    EXPECT_EQ(ParseDatePattern("-5.03.2001", "DD.MM.YYYY").status(), DateStatus::Invalid);
    // A negative year is a large unsigned year, so invalid.
    EXPECT_EQ(ParseDatePattern("05.03.-200", "DD.MM.YYYY").status(), DateStatus::Invalid);
    EXPECT_EQ(ParseDatePattern("ab.cd.efgh", "DD.MM.YYYY").status(), DateStatus::Invalid);
}

TEST(DatePatternTest, MissingPiecesAndShortTexts)
{
    // No "DD": day 15.
    EXPECT_EQ(ParseDatePattern("03.2001", "MM.YYYY"), Ymd(2001, 3, 15));
    // No "MM": month 0, invalid.
    EXPECT_EQ(ParseDatePattern("05.2001", "DD.YYYY").status(), DateStatus::Invalid);
    // Pieces are case-sensitive.
    EXPECT_EQ(ParseDatePattern("05.03.2001", "dd.mm.yyyy").status(), DateStatus::Invalid);
    // A text ending before the year gives year 0, a valid date of year 0.
    const DateValue yearZero = ParseDatePattern("05.03.", "DD.MM.YYYY");
    EXPECT_EQ(yearZero, Ymd(0, 3, 5));
    EXPECT_TRUE(yearZero.isValid());
    // A two-digit year is a year of the first century.
    EXPECT_EQ(ParseDatePattern("01.01.20", "DD.MM.YYYY"), Ymd(20, 1, 1));
    EXPECT_TRUE(ParseDatePattern("01.01.20", "DD.MM.YYYY").isValid());
    // A piece cut by the end of the text: the day piece is "5".
    EXPECT_EQ(ParseDatePattern("2001035", "YYYYMMDD"), Ymd(2001, 3, 5));
    EXPECT_EQ(ParseDatePattern("", "DD.MM.YYYY").status(), DateStatus::Invalid);
    // Only the first occurrence of a piece counts.
    EXPECT_EQ(ParseDatePattern("05.03.2001 09", "DD.MM.YYYY DD"), Ymd(2001, 3, 5));
    // Calendar validity.
    EXPECT_TRUE(ParseDatePattern("29.02.2000", "DD.MM.YYYY").isValid());
    EXPECT_FALSE(ParseDatePattern("29.02.1900", "DD.MM.YYYY").isValid());
    EXPECT_FALSE(ParseDatePattern("31.04.2001", "DD.MM.YYYY").isValid());
}

TEST(DatePatternTest, UsablePatternsHoldMonthAndYear)
{
    EXPECT_TRUE(IsUsableDatePattern("DD.MM.YYYY"));
    EXPECT_TRUE(IsUsableDatePattern("MM.YYYY"));
    EXPECT_FALSE(IsUsableDatePattern("DD-MM-YY"));
    EXPECT_FALSE(IsUsableDatePattern("DD.YYYY"));
    EXPECT_FALSE(IsUsableDatePattern("dd.mm.yyyy"));
}

}  // namespace
}  // namespace kalderon
