#include <gtest/gtest.h>

#include <list>
#include <random>

#include "stats/CaseList.h"
#include "support/CaseFactory.h"

using namespace kalderon;
using kalderon::testing::MakeCase;
using kalderon::testing::Ymd;

namespace {

// The insertion into the case list, walked literally from the tail.
std::vector<int> LiteralCaseOrder(const std::vector<CCaseRecord>& rows)
{
    std::list<const CCaseRecord*> list;
    for (const CCaseRecord& c : rows) {
        auto it = list.end();
        bool placed = false;
        while (it != list.begin()) {
            --it;
            const CCaseRecord& e = **it;
            const bool earlierBegin = e.beginDate.isValid() && c.beginDate.isValid() &&
                                      e.beginDate.serial() < c.beginDate.serial();
            const bool sameBegin = e.beginDate == c.beginDate;
            const bool endRule = !e.endDate.isValid() || !c.endDate.isValid() ||
                                 e.endDate.serial() < c.endDate.serial();
            if (earlierBegin || (sameBegin && endRule)) {
                list.insert(std::next(it), &c);
                placed = true;
                break;
            }
        }
        if (!placed) list.push_front(&c);
    }
    std::vector<int> numbers;
    for (const CCaseRecord* c : list) numbers.push_back(c->caseNumber);
    return numbers;
}

// The group list merge, walked literally from the tail.
std::vector<CGroupInfo> LiteralGroupList(const std::vector<CCaseRecord>& rows)
{
    std::list<CGroupInfo> list;
    for (const CCaseRecord& c : rows) {
        CGroupInfo g{c.groupText.str(), "", 1, c.isValid ? 1 : 0, c.isValid ? 0 : 1};
        auto it = list.end();
        bool done = false;
        while (it != list.begin()) {
            --it;
            if (it->code == g.code) {
                it->recordsRead += 1;
                it->recordsValid += g.recordsValid;
                it->recordsSkipped += g.recordsSkipped;
                done = true;
                break;
            }
            if (it->code < g.code) {
                list.insert(std::next(it), g);
                done = true;
                break;
            }
        }
        if (!done) list.push_front(g);
    }
    return {list.begin(), list.end()};
}

// Dates that are not valid make up `notValidPercent` of all, two thirds of
// them invalid and one third null.
DateValue RandomDate(std::mt19937& rng, int span, int notValidPercent)
{
    std::uniform_int_distribution<int> pick(0, 299);
    const int kind = pick(rng);
    if (kind < 2 * notValidPercent) return DateValue::Invalid();
    if (kind < 3 * notValidPercent) return DateValue::Null();
    std::uniform_int_distribution<int> day(0, span);
    return DateValue::FromSerial(36526.0 + day(rng));
}

std::vector<CCaseRecord> RandomRows(std::mt19937& rng, int n, int span, int notValidPercent = 6)
{
    static const char* kGroups[] = {"b", "a", "B", "", "ab", "\xe9"};
    std::uniform_int_distribution<int> group(0, 5);
    std::uniform_int_distribution<int> status(0, 2);
    std::vector<CCaseRecord> rows;
    for (int i = 1; i <= n; ++i)
        rows.push_back(MakeCase(i, RandomDate(rng, span, notValidPercent), RandomDate(rng, span, notValidPercent), std::to_string(status(rng)),
                                kGroups[group(rng)]));
    return rows;
}

std::vector<int> BuiltOrder(const std::vector<CCaseRecord>& rows, CaseList* out = nullptr)
{
    CAnalysisData data;
    CaseListBuilder builder(data);
    for (const CCaseRecord& c : rows) builder.Add(c);
    CaseList list = builder.Finish();
    std::vector<int> numbers;
    for (const CCaseRecord& c : list.records) numbers.push_back(c.caseNumber);
    for (size_t row = 0; row < rows.size(); ++row) EXPECT_EQ(list.row(row).caseNumber, rows[row].caseNumber);
    if (out) *out = std::move(list);
    return numbers;
}

}  // namespace

TEST(CaseList, OrderMatchesTheLiteralWalkOnRandomData)
{
    std::mt19937 rng(20261207);
    // Narrow date ranges give many ties; wide ones few.
    for (int notValid : {0, 6, 40}) {
        for (int span : {3, 10, 400}) {
            for (int round = 0; round < 15; ++round) {
                const std::vector<CCaseRecord> rows = RandomRows(rng, 300, span, notValid);
                ASSERT_EQ(BuiltOrder(rows), LiteralCaseOrder(rows))
                    << "not valid " << notValid << "% span " << span << " round " << round;
            }
        }
    }
}

// Whole day numbers in a narrow range sort through packed keys; fractions,
// far-out day numbers and spans too wide to pack take the general sort.
TEST(CaseList, OrderMatchesTheLiteralWalkForEveryKindOfDayNumber)
{
    std::mt19937 rng(20261208);
    std::uniform_int_distribution<int> pick(0, 9);
    const auto shifted = [](const DateValue& d, double by) {
        return d.isValid() ? DateValue::FromSerial(d.serial() + by) : d;
    };
    for (int kind = 0; kind < 5; ++kind) {
        for (int round = 0; round < 10; ++round) {
            std::vector<CCaseRecord> rows = RandomRows(rng, 400, kind == 4 ? 0 : 5, 30);
            for (CCaseRecord& c : rows) {
                if (pick(rng) != 0) continue;
                switch (kind) {
                    case 0: c.endDate = shifted(c.endDate, 0.5); break;             // a time of day
                    case 1: c.beginDate = shifted(c.beginDate, -0.25); break;       // before the begin day
                    case 2: c.beginDate = shifted(c.beginDate, 4e12); break;        // beyond any calendar
                    case 3: c.endDate = shifted(c.endDate, -3e6); break;            // far apart, still whole
                    case 4: c.endDate = shifted(c.endDate, -0.0); break;            // many equal keys
                }
            }
            ASSERT_EQ(BuiltOrder(rows), LiteralCaseOrder(rows)) << "kind " << kind << " round " << round;
        }
    }
}

TEST(CaseList, GroupListMatchesTheLiteralMerge)
{
    std::mt19937 rng(7);
    const std::vector<CCaseRecord> rows = RandomRows(rng, 500, 30);
    CaseList list;
    BuiltOrder(rows, &list);
    const std::vector<CGroupInfo> expected = LiteralGroupList(rows);
    ASSERT_EQ(list.groups.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(list.groups[i].code, expected[i].code);
        EXPECT_EQ(list.groups[i].recordsRead, expected[i].recordsRead);
        EXPECT_EQ(list.groups[i].recordsValid, expected[i].recordsValid);
        EXPECT_EQ(list.groups[i].recordsSkipped, expected[i].recordsSkipped);
    }
    for (size_t i = 0; i < list.records.size(); ++i)
        EXPECT_EQ(list.groups[list.groupIndex[i]].code, list.records[i].groupText);
}

TEST(CaseList, BookkeepingCountsOnlyValidCases)
{
    CAnalysisData data;
    CaseListBuilder builder(data);
    builder.Add(MakeCase(1, Ymd(2001, 5, 1), Ymd(2003, 1, 1), "1", "x", "2"));
    builder.Add(MakeCase(2, Ymd(1990, 1, 1), Ymd(1989, 1, 1), "9", "X", "7"));  // end before begin
    builder.Add(MakeCase(3, Ymd(1999, 5, 1), Ymd(2002, 1, 1), "0", "x", "1"));
    builder.Add(MakeCase(4, Ymd(2000, 5, 1), Ymd(2000, 6, 1), "1", "x", "2"));
    const CaseList list = builder.Finish();

    EXPECT_EQ(data.firstBeginDate, Ymd(1999, 5, 1));
    EXPECT_EQ(data.lastEndDate, Ymd(2003, 1, 1));
    EXPECT_EQ(data.statusCodes, (std::vector<std::string>{"1", "0"}));
    EXPECT_EQ(data.sexCodes, (std::vector<std::string>{"2", "1"}));
    EXPECT_EQ(data.maxObservationDays, 976);

    // Letter case makes two groups; the group of invalid rows still exists.
    ASSERT_EQ(data.groupResults.size(), 2u);
    EXPECT_EQ(data.groupResults[0].info.code, "X");
    EXPECT_EQ(data.groupResults[0].info.recordsRead, 1);
    EXPECT_EQ(data.groupResults[0].info.recordsSkipped, 1);
    EXPECT_EQ(data.groupResults[1].info.code, "x");
    EXPECT_EQ(data.groupResults[1].info.recordsValid, 3);
    EXPECT_EQ(data.TotalRecordsValid(), 3);
    EXPECT_EQ(data.TotalRecordsSkipped(), 1);
    EXPECT_EQ(data.TotalRecordsRead(), 4);

    std::vector<int> numbers;
    for (const CCaseRecord& c : list.records) numbers.push_back(c.caseNumber);
    EXPECT_EQ(numbers, (std::vector<int>{2, 3, 4, 1}));
}

TEST(CaseList, FactsNumberTheStartsOfTheValidCases)
{
    CAnalysisData data;
    CaseListBuilder builder(data);
    // Born 10 May: 49 on 9 May 2000, 50 on 10 May 2000.
    builder.Add(MakeCase(1, Ymd(2000, 5, 9), Ymd(2001, 1, 1), "1", "a", "m", Ymd(1950, 5, 10), true));
    builder.Add(MakeCase(2, Ymd(2000, 5, 10), Ymd(2001, 1, 1), "0", "a", "m", Ymd(1950, 5, 10), true));
    builder.Add(MakeCase(3, Ymd(2000, 5, 11), Ymd(2001, 1, 1), "1", "b", "m", Ymd(1950, 5, 10), true));
    builder.Add(MakeCase(4, Ymd(2000, 5, 12), Ymd(2000, 1, 1), "9", "a", "f", Ymd(1950, 5, 10), true));  // invalid
    builder.Add(MakeCase(5, Ymd(2000, 5, 13), Ymd(2002, 1, 1), "1", "a", "f", Ymd(1950, 5, 10), true));
    const CaseList list = builder.Finish();
    const CaseFacts& facts = list.facts;

    ASSERT_EQ(facts.cases.size(), 5u);
    EXPECT_EQ(facts.sexCodes, (std::vector<std::string>{"m", "f"}));
    EXPECT_EQ(facts.statusCodes, (std::vector<std::string>{"1", "0"}));
    ASSERT_EQ(facts.starts.size(), 3u);  // (2000, 49, m), (2000, 50, m), (2000, 50, f)
    EXPECT_EQ(facts.starts[0].age, 49);
    EXPECT_EQ(facts.starts[1].age, 50);
    EXPECT_EQ(facts.starts[2].sexCode, 1u);
    EXPECT_EQ(facts.starts[2].year, 2000);
    ASSERT_EQ(facts.groupStarts.size(), 4u);  // case 3 starts like case 2 in another group

    const std::vector<std::uint32_t> start = {0, 1, 1, 0, 2}, groupStart = {0, 1, 2, 0, 3};
    for (size_t k = 0; k < 5; ++k) {
        const CaseFact& f = facts.cases[k];
        EXPECT_EQ(facts.beginDays[k], list.records[k].beginDate.serial()) << k;
        EXPECT_EQ(facts.endDays[k], list.records[k].endDate.serial()) << k;
        if (k == 3) {
            EXPECT_EQ(f.observationDays, -1);
            continue;
        }
        EXPECT_EQ(f.observationDays, list.records[k].observationDays) << k;
        EXPECT_EQ(f.start, start[k]) << k;
        EXPECT_EQ(f.groupStart, groupStart[k]) << k;
        EXPECT_EQ(facts.groupStarts[f.groupStart].group, list.groupIndex[k]) << k;
        EXPECT_EQ(facts.statusCodes[f.statusCode], list.records[k].statusText) << k;
    }
}
