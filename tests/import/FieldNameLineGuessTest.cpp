#include <gtest/gtest.h>

#include "import/FieldNameLineGuess.h"

namespace kalderon {
namespace {

using Lines = std::vector<std::string_view>;

TEST(FieldNameLineGuessTest, NamesAreTakenWhereTheDateFieldsDoNotReadAsDates)
{
    // Names over ISO dates, quoted names, names over dates of the offered patterns.
    EXPECT_TRUE(FirstLineNamesFields(Lines{"id,diagnosis_date,last_contact,vital_status",
                                           "1,1982-06-24,1989-10-02,1", "2,1982-08-31,1985-09-01,1"},
                                     ','));
    EXPECT_TRUE(FirstLineNamesFields(Lines{R"("begin";"end";"status")", "01.01.2000;31.12.2004;1",
                                           "02.02.2001;30.06.2003;0"},
                                     ';'));
    EXPECT_TRUE(FirstLineNamesFields(Lines{"Begin\tEnd", "20000101\t20041231", "bad\t20031231", "20010202\t"}, '\t'));
    // A case on the first line, even one whose begin date is not valid.
    EXPECT_FALSE(FirstLineNamesFields(Lines{"01.01.2000;31.12.2004;1", "02.02.2001;30.06.2003;0"}, ';'));
    EXPECT_FALSE(FirstLineNamesFields(Lines{"31.02.2000;31.12.2004;1", "02.02.2001;30.06.2003;0"}, ';'));
    // Cut at another separator the fields hold no dates; no dates at all; one line.
    EXPECT_FALSE(FirstLineNamesFields(Lines{"id,begin", "1,01.01.2000", "2,02.02.2001"}, ';'));
    EXPECT_FALSE(FirstLineNamesFields(Lines{"id;status", "1;0", "2;1"}, ';'));
    EXPECT_FALSE(FirstLineNamesFields(Lines{"begin;end"}, ';'));
    // Dates in fewer than half the lines make no date field.
    EXPECT_FALSE(FirstLineNamesFields(Lines{"a;b", "01.01.2000;x", "y;z", "w;v"}, ';'));
}

TEST(FieldNameLineGuessTest, EachDateFieldHasThePatternReadingMostOfItsDates)
{
    const DateFieldSample sample(Lines{"id;begin;end;note", "1;1982-06-24;24.06.1990;\"a;b\"",
                                       "2;1983-01-31;12/31/1991;x", "3;bad;31.12.1992;y", "4;1984-02-29;;z"},
                                 ';', true);
    EXPECT_EQ(sample.DatesRead(2, "YYYY-MM-DD"), 3u);
    EXPECT_EQ(sample.DatesRead(2, "DD.MM.YYYY"), 0u);
    EXPECT_EQ(sample.BestPattern(2), "YYYY-MM-DD");
    // Day first reads two of the four end dates, which is not more than half.
    EXPECT_EQ(sample.DatesRead(3, "DD.MM.YYYY"), 2u);
    EXPECT_EQ(sample.BestPattern(3), "");
    EXPECT_EQ(sample.BestPattern(1), "");
    EXPECT_EQ(sample.BestPattern(4), "");  // the quoted separator keeps the notes in field 4
    EXPECT_EQ(sample.BestPattern(9), "");
    EXPECT_TRUE(sample.FirstLineNamesFields());
    EXPECT_FALSE(sample.FirstLineHoldsDates());
    const DateFieldSample cases(Lines{"7;1981-01-01", "1;1982-06-24", "2;1983-01-31"}, ';', true);
    EXPECT_TRUE(cases.FirstLineHoldsDates());
    EXPECT_FALSE(cases.FirstLineNamesFields());
    EXPECT_FALSE(DateFieldSample(Lines{"a;b", "1;2"}, ';', true).FirstLineHoldsDates());
}

}  // namespace
}  // namespace kalderon
