#include <gtest/gtest.h>

#include "analysis/DateEntry.h"
#include "support/CaseFactory.h"

namespace kalderon {
namespace {

using testing::Ymd;

TEST(DateEntryTest, ReadsDatesAsShownAndRefusesEverythingElse)
{
    EXPECT_EQ(ParseEnteredDate("31.12.2004"), Ymd(2004, 12, 31));
    EXPECT_EQ(ParseEnteredDate(" 1.2.2004 "), Ymd(2004, 2, 1));
    EXPECT_EQ(ParseEnteredDate("29.02.2004"), Ymd(2004, 2, 29));
    for (const char* text : {"29.02.2003", "31.04.2004", "0.1.2004", "1.13.2004", "31/12/2004", "31.12.04",
                             "31.12.20045", "31.12.2004x", "2004", "", "..", "1..2004", "-1.1.2004"})
        EXPECT_EQ(ParseEnteredDate(text).status(), DateStatus::Invalid) << text;
}

}  // namespace
}  // namespace kalderon
