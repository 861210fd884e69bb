#include <gtest/gtest.h>

#include <algorithm>

#include "stats/DateCheck.h"

namespace kalderon {
namespace {

// 15 June 2024, noon UTC: the present year is 2024 in every time zone.
constexpr std::time_t kMid2024 = 1718452800;

DateValue Ymd(int y, int m, int d) { return DateValue::FromYmd(y, m, d); }

CCaseRecord Case(std::int32_t number, DateValue begin, DateValue end, DateValue birth = DateValue::Null())
{
    ImportedRecordValues values;
    values.caseNumber = number;
    values.beginDate = begin;
    values.endDate = end;
    values.birthDate = birth;
    return BuildCase(values, true);
}

TEST(DateCheckTest, ListsEveryKindOfImplausibleDateAndNothingElse)
{
    const DateValue invalid = DateValue::Invalid();
    // In case-list order, not in case-number order.
    const std::vector<CCaseRecord> records = {
        Case(9, Ymd(1, 1, 1), Ymd(9999, 12, 31)),
        Case(2, Ymd(1850, 1, 1), Ymd(1969, 12, 31), Ymd(1850, 1, 1)),       // the earliest year, 119 years old
        Case(3, Ymd(1849, 12, 31), Ymd(2025, 1, 1)),
        Case(4, Ymd(2000, 1, 1), Ymd(2001, 2, 28), Ymd(1880, 3, 1)),        // 120 years old
        Case(5, Ymd(2000, 1, 1), Ymd(2001, 3, 1), Ymd(1880, 3, 1)),         // 121 years old
        Case(6, Ymd(2000, 1, 1), Ymd(2004, 1, 1), Ymd(2001, 1, 1)),         // born after the begin: not valid
        Case(7, invalid, Ymd(2004, 1, 1), Ymd(1700, 5, 5)),                 // invalid dates are no dates
        Case(1, Ymd(2024, 12, 31), Ymd(2000, 1, 1)),                        // the present year; end before begin
        Case(8, Ymd(1990, 1, 1), Ymd(2030, 1, 1), Ymd(1800, 6, 30)),
    };
    const DateCheck check = CheckDates(records, true, kMid2024, 4);
    EXPECT_EQ(check.presentYear, 2024);
    EXPECT_EQ(check.caseCount, 9);
    EXPECT_EQ(check.implausibleCount, 6);
    EXPECT_EQ(DateCheckLines(check),
              (std::vector<std::string>{
                  "Data check: implausible dates (before 1850, after 2024, or an age below 0 or over 120 years) in 6 "
                  "of 9 cases:",
                  "case 3: begin of follow-up 31.12.1849, end of follow-up 01.01.2025",
                  "case 5: 121 years old at the end of follow-up",
                  "case 6: born after the begin of follow-up",
                  "case 7: date of birth 05.05.1700, 303 years old at the end of follow-up",
                  "and 2 more",
              }));

    // All of them, and which.  Dates are shown as the data window shows them.
    const DateCheck all = CheckDates(records, true, kMid2024, 100);
    ASSERT_EQ(all.first.size(), 6u);
    EXPECT_EQ(all.first[4].caseNumber, 8);
    EXPECT_EQ(all.first[4].what, kImplausibleEnd | kImplausibleBirth | kAgeOver120);
    EXPECT_EQ(all.first[4].ageAtEnd, 229);
    EXPECT_EQ(all.first[5].caseNumber, 9);
    EXPECT_EQ(all.first[5].what, kImplausibleBegin | kImplausibleEnd);
    EXPECT_EQ(DateCheckLines(all)[6], "case 9: begin of follow-up 01.01.1, end of follow-up 31.12.9999");

    // Without a birth column the birth dates are not looked at; a later
    // present year makes 2025 plausible.
    const DateCheck noBirth = CheckDates(records, false, kMid2024 + 366 * 86400, 100);
    EXPECT_EQ(noBirth.presentYear, 2025);
    std::vector<std::int32_t> numbers;
    for (const ImplausibleCase& c : noBirth.first) numbers.push_back(c.caseNumber);
    EXPECT_EQ(numbers, (std::vector<std::int32_t>{3, 8, 9}));
    EXPECT_EQ(noBirth.first[0].what, kImplausibleBegin);

    EXPECT_TRUE(CheckDates({records[1], records[3], records[7]}, true, kMid2024).clean());
    EXPECT_TRUE(DateCheckLines(CheckDates({}, true, kMid2024)).empty());
}

}  // namespace
}  // namespace kalderon
