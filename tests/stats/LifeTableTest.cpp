#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "stats/CaseList.h"
#include "stats/ConfidenceLimits.h"
#include "stats/IntervalCounting.h"
#include "stats/LifeTable.h"
#include "stats/TimeUnit.h"
#include "support/CaseFactory.h"
#include "support/ResultComparison.h"

using namespace kalderon;
using kalderon::testing::MakeCase;
using kalderon::testing::Ymd;

namespace {

struct Follow {
    int days;
    std::string status;
    std::string group = "";
};

// Cases that all begin on 01.01.2000 and end `days` later.
CaseList BuildCases(CAnalysisData& data, const std::vector<Follow>& rows)
{
    CaseListBuilder builder(data);
    const DateValue begin = Ymd(2000, 1, 1);
    int number = 1;
    for (const Follow& f : rows)
        builder.Add(MakeCase(number++, begin, DateValue::FromSerial(begin.serial() + f.days), f.status, f.group));
    CaseList cases = builder.Finish();
    cases.sourcePath = "cases.txt";
    return cases;
}

void Repeat(std::vector<Follow>& rows, int count, Follow f)
{
    rows.insert(rows.end(), count, f);
}

CIntervalCounts Counts(int entered, int censored, int dead) { return {entered, censored, dead}; }

}  // namespace

TEST(LifeTable, WorkedExampleOfTheFirstInterval)
{
    std::vector<Follow> rows;
    Repeat(rows, 85, {400, "0"});
    Repeat(rows, 10, {100, "0"});
    Repeat(rows, 5, {200, "1"});
    CAnalysisData data;
    data.eventCode = "1";
    const CaseList cases = BuildCases(data, rows);
    data.groupResults[0].intervalTable.ciLevelText = ".95";

    ASSERT_EQ(ComputeLifeTable(data, cases, true), std::nullopt);
    EXPECT_EQ(data.title, "cases.txt");
    const CGroupResult& g = data.groupResults[0];
    ASSERT_EQ(g.countsAll.size(), 2u);
    EXPECT_EQ(g.countsAll[0], Counts(100, 10, 5));
    EXPECT_EQ(g.countsAll[1], Counts(85, 85, 0));
    const CIntervalResult& r = g.intervalTable.rows[0];
    EXPECT_EQ(r.intervalNumber, 1);
    EXPECT_DOUBLE_EQ(r.exposedToRisk, 95.0);
    EXPECT_NEAR(r.intervalSurvival, 0.947368, 5e-7);
    EXPECT_NEAR(r.cumulativeSurvival, 0.947368, 5e-7);
    EXPECT_NEAR(std::pow(r.standardError / r.cumulativeSurvival, 2), 0.000584795, 5e-10);
    EXPECT_NEAR(r.standardError, 0.022910, 5e-7);
    EXPECT_NEAR(r.lowerLimit, 0.902466, 5e-7);
    EXPECT_NEAR(r.upperLimit, 0.992271, 5e-7);
    EXPECT_EQ(r.hasStandardError, 1);
    EXPECT_EQ(g.info.recordsRead, 100);
    EXPECT_EQ(g.info.recordsValid, 100);
    EXPECT_EQ(g.intervalTable.maxObservationDays, 400);

    // At .99 the same standard error gives wider limits.
    data.groupResults[0].intervalTable.ciLevelText = ".99";
    ASSERT_EQ(ComputeLifeTable(data, cases, true), std::nullopt);
    const CIntervalResult& wide = data.groupResults[0].intervalTable.rows[0];
    const double se = std::sqrt(5.0 / (95.0 * 90.0)) * (90.0 / 95.0);
    EXPECT_DOUBLE_EQ(wide.lowerLimit, 90.0 / 95.0 - 2.5758 * se);
    EXPECT_EQ(wide.upperLimit, 1.0);  // 1.00638 is capped
}

TEST(LifeTable, IntervalBoundariesAndEveryUnit)
{
    CAnalysisData data;
    data.eventCode = "D";
    const CaseList cases = BuildCases(data, {{365, "D"}, {366, "D"}, {61, "D"}, {0, "C"}});
    const struct {
        int unit;
        size_t intervals;
        size_t intervalOf61;
    } expected[] = {{kUnitYear, 2, 0}, {kUnitMonth, 13, 2}, {kUnitWeek, 53, 8}, {kUnitDay, 367, 61}};
    for (const auto& e : expected) {
        SCOPED_TRACE(e.unit);
        data.timeUnit = e.unit;
        ASSERT_EQ(ComputeLifeTable(data, cases, false), std::nullopt);
        const CGroupResult& g = data.groupResults[0];
        EXPECT_EQ(g.intervalTable.timeUnit, e.unit);
        ASSERT_EQ(g.countsAll.size(), e.intervals);
        ASSERT_EQ(g.intervalTable.rows.size(), e.intervals);
        EXPECT_EQ(g.intervalTable.rows.back().intervalNumber, static_cast<int>(e.intervals));
        EXPECT_EQ(g.countsAll[0].censored, 1);  // zero days of follow-up
        EXPECT_GE(g.countsAll[e.intervalOf61].dead, 1);
        EXPECT_GE(g.countsAll.back().dead, 1);  // the longest follow-up lies in the last interval
        int ended = 0;
        for (const CIntervalCounts& c : g.countsAll) ended += c.dead + c.censored;
        EXPECT_EQ(ended, 4);
    }
    // With years, 365 days truncate into interval 0 and 366 days reach interval 1.
    data.timeUnit = kUnitYear;
    ASSERT_EQ(ComputeLifeTable(data, cases, false), std::nullopt);
    EXPECT_EQ(data.groupResults[0].countsAll[0], Counts(4, 1, 2));
    EXPECT_EQ(data.groupResults[0].countsAll[1], Counts(1, 0, 1));
}

TEST(LifeTable, AllDieAndCensoredOnlyIntervals)
{
    CAnalysisData data;
    data.eventCode = "1";
    // Group A: everyone dies in the first year.  Group B: 4 cases, one death
    // in year 0, only a censoring in year 1, then a death and a censoring.
    const CaseList cases = BuildCases(data, {{10, "1", "A"},
                                             {20, "1", "A"},
                                             {30, "1", "B"},
                                             {400, "0", "B"},
                                             {800, "1", "B"},
                                             {900, "0", "B"}});
    ASSERT_EQ(ComputeLifeTable(data, cases, true), std::nullopt);

    const auto& a = data.groupResults[0].intervalTable.rows;
    ASSERT_EQ(a.size(), 3u);
    EXPECT_DOUBLE_EQ(a[0].exposedToRisk, 2.0);
    EXPECT_EQ(a[0].intervalSurvival, 0.0);
    EXPECT_EQ(a[0].cumulativeSurvival, 0.0);
    EXPECT_EQ(a[0].hasStandardError, 0);
    EXPECT_EQ(a[0].standardError, 0.0);
    EXPECT_EQ(a[0].lowerLimit, 0.0);
    EXPECT_EQ(a[0].upperLimit, 0.0);
    for (size_t i = 1; i < 3; ++i) {  // nobody at risk: initial values
        EXPECT_EQ(a[i].intervalNumber, static_cast<int>(i + 1));
        EXPECT_EQ(a[i].exposedToRisk, 0.0);
        EXPECT_EQ(a[i].intervalSurvival, 1.0);
        EXPECT_EQ(a[i].cumulativeSurvival, 1.0);
        EXPECT_EQ(a[i].hasStandardError, 0);
        EXPECT_EQ(a[i].upperLimit, 1.0);
    }

    const auto& b = data.groupResults[1].intervalTable.rows;
    // Year 0: 4 at risk, 1 dies: S 0.75, V 1/12.
    EXPECT_DOUBLE_EQ(b[0].cumulativeSurvival, 0.75);
    EXPECT_DOUBLE_EQ(b[0].standardError, std::sqrt(1.0 / 12.0) * 0.75);
    // Year 1: 3 entered, 1 censored: p 1, S and V unchanged, still a standard error.
    EXPECT_DOUBLE_EQ(b[1].exposedToRisk, 2.5);
    EXPECT_EQ(b[1].intervalSurvival, 1.0);
    EXPECT_DOUBLE_EQ(b[1].cumulativeSurvival, 0.75);
    EXPECT_EQ(b[1].hasStandardError, 1);
    EXPECT_DOUBLE_EQ(b[1].standardError, b[0].standardError);
    // Year 2: 2 entered, 1 censored, 1 dies: n' 1.5, p 1/3.
    EXPECT_DOUBLE_EQ(b[2].intervalSurvival, 1.0 - 1.0 / 1.5);
    EXPECT_DOUBLE_EQ(b[2].cumulativeSurvival, 0.75 * (1.0 - 1.0 / 1.5));
    EXPECT_DOUBLE_EQ(b[2].standardError, std::sqrt(1.0 / 12.0 + 1.0 / (1.5 * 0.5)) * b[2].cumulativeSurvival);
    EXPECT_EQ(b[2].lowerLimit, 0.0);  // S - z*SE is negative
}

TEST(LifeTable, NotStratifiedCountsEveryCaseIntoTheFirstGroup)
{
    CAnalysisData data;
    data.eventCode = "1";
    CaseListBuilder builder(data);
    const DateValue begin = Ymd(2001, 3, 1);
    builder.Add(MakeCase(1, begin, Ymd(2002, 6, 1), "1", "x"));
    builder.Add(MakeCase(2, begin, Ymd(2003, 6, 1), "0", "y"));
    builder.Add(MakeCase(3, begin, Ymd(2000, 3, 1), "1", "z"));  // ends before it begins: skipped
    builder.Add(MakeCase(4, begin, Ymd(2001, 6, 1), "0", "z"));
    const CaseList cases = builder.Finish();
    ASSERT_EQ(data.groupResults.size(), 3u);

    ASSERT_EQ(ComputeLifeTable(data, cases, true), std::nullopt);
    EXPECT_FALSE(data.groupResults[2].countsAll.empty());
    EXPECT_EQ(data.groupResults[2].info.recordsSkipped, 1);

    // Running again without strata empties the tables of the other groups.
    ASSERT_EQ(ComputeLifeTable(data, cases, false), std::nullopt);
    const CGroupResult& first = data.groupResults[0];
    EXPECT_EQ(first.info.recordsRead, 4);
    EXPECT_EQ(first.info.recordsValid, 3);
    EXPECT_EQ(first.info.recordsSkipped, 1);
    ASSERT_EQ(first.countsAll.size(), 3u);
    EXPECT_EQ(first.countsAll[0], Counts(3, 1, 0));
    EXPECT_EQ(first.countsAll[1], Counts(2, 0, 1));
    EXPECT_EQ(first.countsAll[2], Counts(1, 1, 0));
    for (size_t g = 1; g < 3; ++g) {
        const CGroupResult& other = data.groupResults[g];
        EXPECT_TRUE(other.countsAll.empty());
        EXPECT_TRUE(other.intervalTable.rows.empty());
        EXPECT_EQ(other.info.recordsRead, 0);
        EXPECT_EQ(other.info.recordsValid, 0);
        EXPECT_EQ(other.info.recordsSkipped, 0);
        EXPECT_EQ(other.intervalTable.maxObservationDays, data.maxObservationDays);
        EXPECT_EQ(other.info.code, g == 1 ? "y" : "z");
    }
}

TEST(LifeTable, NoGroupsAndRelativeSurvival)
{
    CAnalysisData empty;
    CaseList none;
    none.sourcePath = "empty.txt";
    EXPECT_EQ(ComputeLifeTable(empty, none, false), std::nullopt);
    EXPECT_EQ(empty.title, "empty.txt");
    EXPECT_TRUE(empty.groupResults.empty());

    // Expected survival is not available yet: the request is refused and
    // nothing is changed.
    CAnalysisData data;
    const CaseList cases = BuildCases(data, {{100, "1"}});
    data.relativeSurvival = 1;
    EXPECT_EQ(ComputeLifeTable(data, cases, false),
              "No general population life table was chosen: relative survival cannot be computed.");
    EXPECT_TRUE(data.title.empty());
    EXPECT_TRUE(data.groupResults[0].countsAll.empty());
}

namespace {

// The life table walked as literally as it is described: every case counted
// into every interval it entered, groups looked up by their code.
void LiteralLifeTable(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    data.title = cases.sourcePath;
    for (CGroupResult& g : data.groupResults) {
        g.countsAll.clear();
        g.intervalTable.rows.clear();
        g.intervalTable.maxObservationDays = data.maxObservationDays;
        g.intervalTable.timeUnit = data.timeUnit;
        g.info.recordsRead = g.info.recordsValid = g.info.recordsSkipped = 0;
    }
    const double unitDays = UnitDays(data.timeUnit);
    const int m = static_cast<int>(data.maxObservationDays / unitDays) + 1;
    const size_t r = stratified ? data.groupResults.size() : 1;
    for (size_t g = 0; g < r; ++g) {
        for (int i = 0; i < m; ++i) {
            data.groupResults[g].countsAll.push_back(CIntervalCounts{});
            data.groupResults[g].intervalTable.rows.push_back(CIntervalResult{});
        }
    }
    for (const CCaseRecord& c : cases.records) {
        int g = -1;
        for (size_t k = 0; k < data.groupResults.size(); ++k)
            if (data.groupResults[k].info.code == c.groupText) g = static_cast<int>(k);
        if (!stratified || g < 0) g = 0;
        CGroupInfo& info = data.groupResults[g].info;
        info.recordsRead += 1;
        if (c.isValid) {
            info.recordsValid += 1;
            CountIntoIntervals(data.groupResults[g].countsAll, c.observationDays, c.statusText == data.eventCode,
                               unitDays);
        } else {
            info.recordsSkipped += 1;
        }
    }
    const double z = data.groupResults[0].intervalTable.ciLevelText == ".99" ? 2.5758 : 1.95996;
    for (size_t g = 0; g < r; ++g) {
        double S = 1.0, V = 0.0;
        for (int i = 0; i < m; ++i) {
            const CIntervalCounts& c = data.groupResults[g].countsAll[i];
            CIntervalResult& row = data.groupResults[g].intervalTable.rows[i];
            const double n = c.entered, w = c.censored, d = c.dead;
            row.intervalNumber = i + 1;
            const double exposed = n - w * 0.5;
            row.exposedToRisk = exposed;
            if (exposed <= 0) continue;
            const double p = 1 - d / exposed;
            row.intervalSurvival = p;
            S = S * p;
            row.cumulativeSurvival = S;
            double se;
            if (exposed != d) {
                V = V + d / (exposed * (exposed - d));
                se = std::sqrt(V) * S;
                row.hasStandardError = 1;
            } else {
                se = 0;
                row.hasStandardError = 0;
            }
            row.lowerLimit = S - z * se > 0 ? S - z * se : 0;
            row.upperLimit = S + z * se >= 1.0 ? 1.0 : S + z * se;
            row.standardError = se;
        }
    }
}

void ExpectSameTables(const CAnalysisData& fast, const CAnalysisData& slow)
{
    ASSERT_EQ(fast.groupResults.size(), slow.groupResults.size());
    for (size_t g = 0; g < fast.groupResults.size(); ++g) {
        const CGroupResult& a = fast.groupResults[g];
        const CGroupResult& b = slow.groupResults[g];
        EXPECT_EQ(a.info.recordsRead, b.info.recordsRead);
        EXPECT_EQ(a.info.recordsValid, b.info.recordsValid);
        EXPECT_EQ(a.info.recordsSkipped, b.info.recordsSkipped);
        ASSERT_EQ(a.countsAll, b.countsAll);
        kalderon::testing::ExpectSameIntervalRows(a.intervalTable.rows, b.intervalTable.rows);
    }
}

}  // namespace

TEST(LifeTable, MatchesTheLiteralWalkOnRandomData)
{
    std::mt19937 rng(20240517);
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        std::uniform_int_distribution<int> caseCount(1, 300), days(0, 3000), start(0, 4000), pick(0, 99);
        const char* groups[] = {"a", "b", "B", "c"};
        CAnalysisData data;
        data.eventCode = "dead";
        data.timeUnit = round % 4;
        CaseListBuilder builder(data);
        const int n = caseCount(rng);
        for (int k = 0; k < n; ++k) {
            const DateValue begin = DateValue::FromSerial(36526.0 + start(rng));
            const int length = pick(rng) < 5 ? -days(rng) % 50 - 1 : days(rng) % (1 + round * 50);
            builder.Add(MakeCase(k + 1, begin, DateValue::FromSerial(begin.serial() + length),
                                 pick(rng) < 40 ? "dead" : "alive", groups[pick(rng) % 4]));
        }
        CaseList cases = builder.Finish();
        cases.sourcePath = "random.txt";
        data.groupResults[0].intervalTable.ciLevelText = round % 3 == 0 ? ".99" : ".95";
        const bool stratified = round % 2 == 0;

        CAnalysisData slow = data;
        ASSERT_EQ(ComputeLifeTable(data, cases, stratified), std::nullopt);
        LiteralLifeTable(slow, cases, stratified);
        ExpectSameTables(data, slow);
    }
}
