#include <gtest/gtest.h>

#include "stats/CaseValidity.h"

namespace kalderon {
namespace {

DateValue Ymd(int y, int m, int d) { return DateValue::FromYmd(y, m, d); }

CCaseRecord Case(DateValue begin, DateValue end, DateValue birth = DateValue::Null(), bool birthColumn = false)
{
    ImportedRecordValues values;
    values.caseNumber = 1;
    values.beginDate = begin;
    values.endDate = end;
    values.birthDate = birth;
    return BuildCase(values, birthColumn);
}

TEST(CaseValidityTest, EachReasonAndTheValidityAgree)
{
    const DateValue invalid = DateValue::Invalid();
    const struct {
        CCaseRecord c;
        bool birthColumn;
        std::string text;
    } cases[] = {
        {Case(Ymd(2000, 1, 1), Ymd(2004, 12, 31)), false, ""},
        {Case(invalid, Ymd(2004, 12, 31)), false, "invalid begin date"},
        {Case(Ymd(2000, 1, 1), invalid), false, "invalid end date"},
        {Case(invalid, invalid), false, "invalid begin date, invalid end date"},
        {Case(Ymd(2004, 1, 1), Ymd(2000, 1, 1)), false, "end before begin"},
        {Case(Ymd(2000, 1, 1), Ymd(2000, 1, 1)), false, ""},  // a span of 0 days
        {Case(Ymd(2000, 1, 1), Ymd(2004, 1, 1), invalid, true), true, "invalid date of birth"},
        {Case(Ymd(2000, 1, 1), Ymd(2004, 1, 1), Ymd(2001, 1, 1), true), true, "date of birth after begin"},
        {Case(Ymd(2000, 1, 1), Ymd(2004, 1, 1), Ymd(2000, 1, 1), true), true, ""},
        {Case(Ymd(2004, 1, 1), Ymd(2000, 1, 1), invalid, true), true, "end before begin, invalid date of birth"},
    };
    for (const auto& entry : cases) {
        const std::uint32_t faults = CaseFaults(entry.c, entry.birthColumn);
        EXPECT_EQ(CaseFaultText(faults), entry.text);
        EXPECT_EQ(entry.c.isValid, faults == 0) << entry.text;
    }

    CCaseRecord unnumbered = Case(Ymd(2000, 1, 1), Ymd(2004, 1, 1));
    unnumbered.caseNumber = -1;
    EXPECT_EQ(CaseFaultText(CaseFaults(unnumbered, false)), "invalid case number");
}

TEST(CaseValidityTest, CountsOfReadValidAndSkipped)
{
    const std::vector<CCaseRecord> records = {Case(Ymd(2000, 1, 1), Ymd(2004, 12, 31)),
                                              Case(DateValue::Invalid(), Ymd(2004, 12, 31)),
                                              Case(Ymd(2001, 1, 1), Ymd(2002, 12, 31))};
    const CaseCounts counts = CountCases(records);
    EXPECT_EQ(counts.read, 3);
    EXPECT_EQ(counts.valid, 2);
    EXPECT_EQ(counts.skipped(), 1);
    EXPECT_EQ(CaseCountsText(counts), "3 cases read: 2 valid, 1 skipped");
    EXPECT_EQ(CaseCountsText(CountCases({})), "0 cases read: 0 valid, 0 skipped");
}

}  // namespace
}  // namespace kalderon
