#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "stats/IntervalCounting.h"
#include "stats/PeriodAnalysis.h"
#include "support/CaseListFactory.h"
#include "support/ResultComparison.h"

using namespace kalderon;
using namespace kalderon::testing;

namespace {

CAnalysisData TinyPeriod(CaseList& cases, DateValue begin, DateValue end)
{
    CAnalysisData data;
    cases = BuildCaseList(data, TinyCases(), "tiny.txt");
    data.periodBegin = begin;
    data.periodEnd = end;
    data.PrepareTimeWindow();
    return data;
}

void ExpectCounts(const std::vector<CIntervalCounts>& counts, size_t i, int entered, int dead, int censored)
{
    SCOPED_TRACE(i);
    EXPECT_EQ(counts[i].entered, entered);
    EXPECT_EQ(counts[i].dead, dead);
    EXPECT_EQ(counts[i].censored, censored);
}

struct LiteralGroup {
    std::vector<CIntervalCounts> atBegin, atEnd;
    std::vector<CIntervalResult> rows;
};

// The life table technique as written: every case counted interval by
// interval into both blocks, then the rows from the difference block, with
// an interval of at least as many deaths as exposed to risk ending the
// survival at 0 without a standard error.
std::vector<LiteralGroup> LiteralPeriodLifeTable(const CAnalysisData& data, const CaseList& cases, bool stratified)
{
    const double unitDays = data.timeUnit == 1 ? 30.4375 : data.timeUnit == 2 ? 7.0 : data.timeUnit == 3 ? 1.0 : 365.25;
    const int m = static_cast<int>(data.maxObservationDays / unitDays) + 1;
    std::vector<LiteralGroup> groups(stratified ? data.groupResults.size() : 1);
    for (LiteralGroup& g : groups) g.atBegin = g.atEnd = std::vector<CIntervalCounts>(m);
    const double pb = data.periodBegin.serial(), pe = data.periodEnd.serial();
    for (size_t i = 0; i < cases.records.size(); ++i) {
        const CCaseRecord& c = cases.records[i];
        if (!c.isValid) continue;
        LiteralGroup& g = groups[stratified ? cases.groupIndex[i] : 0];
        const std::string cut = c.statusText == data.eventCode ? CutText(c.statusText) : c.statusText.str();
        int time = c.endDate.serial() < pb ? c.observationDays : static_cast<int>(pb - c.beginDate.serial()) - 1;
        std::string status = c.endDate.serial() < pb ? c.statusText.str() : cut;
        if (time >= 0) CountIntoIntervals(g.atBegin, time, status == data.eventCode, unitDays);
        time = c.endDate.serial() <= pe ? c.observationDays : static_cast<int>(pe - c.beginDate.serial());
        status = c.endDate.serial() <= pe ? c.statusText : cut;
        if (time >= 0) CountIntoIntervals(g.atEnd, time, status == data.eventCode, unitDays);
    }
    const double z = data.groupResults[0].intervalTable.ciLevelText == ".99" ? 2.5758 : 1.95996;
    for (LiteralGroup& g : groups) {
        double s = 1.0, v = 0.0;
        for (int i = 0; i < m; ++i) {
            const CIntervalCounts d = g.atEnd[i] - g.atBegin[i];
            if (d.entered <= 0 || g.atEnd[i].entered <= 0) break;
            CIntervalResult r;
            r.intervalNumber = i + 1;
            const double n = d.entered - d.censored * 0.5;
            r.exposedToRisk = n;
            const double q = n > 0 ? d.dead / n : 0.0;
            r.intervalSurvival = q >= 1.0 && n > 0 ? 0.0 : 1.0 - q;
            s = q >= 1.0 && n > 0 ? 0.0 : s * r.intervalSurvival;
            r.cumulativeSurvival = s;
            double se = 0.0;
            if (n > 0 && d.dead < n) {
                v += d.dead / (n * (n - d.dead));
                se = std::sqrt(v) * s;
                r.hasStandardError = 1;
            }
            r.standardError = se;
            r.lowerLimit = s - z * se > 0 ? s - z * se : 0.0;
            r.upperLimit = s + z * se >= 1.0 ? 1.0 : s + z * se;
            g.rows.push_back(r);
        }
    }
    return groups;
}

}  // namespace

TEST(PeriodLifeTable, TinyPeriod1997To2001)
{
    CaseList cases;
    CAnalysisData data = TinyPeriod(cases, Ymd(1997, 3, 5), Ymd(2001, 7, 1));
    EXPECT_EQ(data.periodBegin, Ymd(1997, 1, 1));
    EXPECT_EQ(data.periodEnd, Ymd(2001, 12, 31));
    ASSERT_EQ(ComputePeriodLifeTable(data, cases, true), std::nullopt);

    const CGroupResult& a = data.groupResults[0];
    ASSERT_EQ(a.countsAtPeriodBegin.size(), 10u);  // 3652 days at most
    ExpectCounts(a.countsAtPeriodBegin, 0, 3, 0, 1);
    ExpectCounts(a.countsAtPeriodBegin, 1, 2, 1, 1);
    ExpectCounts(a.countsAtPeriodBegin, 2, 0, 0, 0);
    ExpectCounts(a.countsAtPeriodEnd, 0, 6, 1, 0);
    ExpectCounts(a.countsAtPeriodEnd, 1, 5, 2, 2);
    ExpectCounts(a.countsAtPeriodEnd, 5, 1, 0, 0);
    ExpectCounts(a.countsAtPeriodEnd, 6, 1, 0, 1);
    ExpectCounts(a.countsAtPeriodEnd, 7, 0, 0, 0);

    // Difference: 3 entered, 1 dead, -1 censored (a case entering the period
    // in interval 0); then 3, 1, 1; then one case followed to interval 6.
    const auto& rows = a.intervalTable.rows;
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[0].exposedToRisk, 3.5);
    EXPECT_NEAR(rows[0].intervalSurvival, 0.714286, 1e-6);
    EXPECT_NEAR(rows[0].standardError, 0.241473, 1e-6);
    EXPECT_NEAR(rows[0].lowerLimit, 0.241009, 1e-6);
    EXPECT_EQ(rows[0].upperLimit, 1.0);
    EXPECT_EQ(rows[1].exposedToRisk, 2.5);
    EXPECT_NEAR(rows[1].cumulativeSurvival, 0.428571, 1e-6);
    EXPECT_NEAR(rows[1].standardError, 0.264520, 1e-6);
    EXPECT_NEAR(rows[1].upperLimit, 0.947020, 1e-6);
    EXPECT_EQ(rows[2].exposedToRisk, 1.0);
    EXPECT_EQ(rows[2].hasStandardError, 1);
    EXPECT_EQ(rows[6].intervalNumber, 7);
    EXPECT_EQ(rows[6].exposedToRisk, 0.5);
    EXPECT_NEAR(rows[6].cumulativeSurvival, 0.428571, 1e-6);
    EXPECT_EQ(a.intervalTable.timeUnit, 0);
    EXPECT_EQ(a.intervalTable.maxObservationDays, 3652);

    // Group B: exposed to risk 2.5 with 3 deaths.  The survival ends at 0
    // without a standard error instead of going negative; interval 2 stops.
    const CGroupResult& b = data.groupResults[1];
    ExpectCounts(b.countsAtPeriodBegin, 0, 4, 0, 2);
    ExpectCounts(b.countsAtPeriodEnd, 0, 6, 3, 1);
    ASSERT_EQ(b.intervalTable.rows.size(), 1u);
    const CIntervalResult& r = b.intervalTable.rows[0];
    EXPECT_EQ(r.exposedToRisk, 2.5);
    EXPECT_EQ(r.intervalSurvival, 0.0);
    EXPECT_EQ(r.cumulativeSurvival, 0.0);
    EXPECT_EQ(r.hasStandardError, 0);
    EXPECT_EQ(r.standardError, 0.0);
    EXPECT_EQ(r.lowerLimit, 0.0);
    EXPECT_EQ(r.upperLimit, 0.0);
    EXPECT_EQ(b.info.recordsValid, 6);
}

TEST(PeriodLifeTable, CutsAtThePeriodBoundaries)
{
    CAnalysisData data;
    const CaseList cases = BuildCaseList(
        data, {
                  // Ends before the period: the same in both blocks, cancels out.
                  MakeCase(1, Ymd(1996, 1, 1), Ymd(1998, 6, 1), "1"),
                  // Begins before, dies after the period: censored at both
                  // cuts, after 364 days (interval 0) and 1460 days (interval 3).
                  MakeCase(2, Ymd(1998, 1, 1), Ymd(2003, 6, 1), "1"),
                  // Begins inside the period: only in the end block.
                  MakeCase(3, Ymd(2000, 3, 1), Ymd(2000, 9, 1), "1"),
                  // Censored in interval 0 at both cuts: cancels out.
                  MakeCase(4, Ymd(1998, 6, 1), Ymd(1999, 6, 1), "0"),
              });
    data.periodBegin = Ymd(1999, 1, 1);
    data.periodEnd = Ymd(2001, 12, 31);
    EXPECT_EQ(ComputePeriodLifeTable(data, cases, false), std::nullopt);
    const CGroupResult& g = data.groupResults[0];

    ExpectCounts(g.countsAtPeriodBegin, 0, 3, 0, 2);
    ExpectCounts(g.countsAtPeriodBegin, 1, 1, 0, 0);
    ExpectCounts(g.countsAtPeriodBegin, 2, 1, 1, 0);
    ExpectCounts(g.countsAtPeriodEnd, 0, 4, 1, 1);
    ExpectCounts(g.countsAtPeriodEnd, 2, 2, 1, 0);
    ExpectCounts(g.countsAtPeriodEnd, 3, 1, 0, 1);  // the death after the period is censored
    const auto& rows = g.intervalTable.rows;
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].exposedToRisk, 1.5);  // censored -1 adds half a case
    EXPECT_NEAR(rows[0].intervalSurvival, 1.0 / 3.0, 1e-15);
    EXPECT_EQ(rows[1].exposedToRisk, 1.0);
    EXPECT_EQ(rows[2].exposedToRisk, 1.0);
    EXPECT_EQ(rows[2].intervalSurvival, 1.0);
    EXPECT_EQ(rows[3].exposedToRisk, 0.5);
}

TEST(PeriodLifeTable, NobodyEnteringTheFirstIntervalGivesNoRows)
{
    CAnalysisData data;
    const CaseList cases = BuildCaseList(data, {MakeCase(1, Ymd(1990, 1, 1), Ymd(2000, 6, 1), "1"),
                                                MakeCase(2, Ymd(1991, 1, 1), Ymd(2000, 6, 1), "0")});
    data.periodBegin = Ymd(1999, 1, 1);
    data.periodEnd = Ymd(2000, 12, 31);
    EXPECT_EQ(ComputePeriodLifeTable(data, cases, false), std::nullopt);
    EXPECT_TRUE(data.groupResults[0].intervalTable.rows.empty());
    EXPECT_EQ(data.groupResults[0].countsAtPeriodEnd[0].entered, 2);
}

TEST(PeriodLifeTable, MatchesTheLiteralProcedureOnRandomData)
{
    std::mt19937 rng(3);
    for (int unit = 0; unit < 4; ++unit) {
        for (bool stratified : {false, true}) {
            CAnalysisData data;
            const CaseList cases = BuildCaseList(data, RandomCases(rng, 300, 700, unit == 0 ? 2500 : 200));
            data.timeUnit = unit;
            data.periodBegin = DateValue::FromSerial(36526.0 + 300);
            data.periodEnd = DateValue::FromSerial(36526.0 + 500);
            data.groupResults[0].intervalTable.ciLevelText = stratified ? ".99" : ".95";
            EXPECT_EQ(ComputePeriodLifeTable(data, cases, stratified), std::nullopt);
            const auto literal = LiteralPeriodLifeTable(data, cases, stratified);
            for (size_t g = 0; g < literal.size(); ++g) {
                SCOPED_TRACE(::testing::Message() << "unit " << unit << " group " << g);
                const CGroupResult& fast = data.groupResults[g];
                EXPECT_EQ(fast.countsAtPeriodBegin, literal[g].atBegin);
                EXPECT_EQ(fast.countsAtPeriodEnd, literal[g].atEnd);
                kalderon::testing::ExpectSameIntervalRows(fast.intervalTable.rows, literal[g].rows);
                for (const CIntervalResult& row : fast.intervalTable.rows) EXPECT_FALSE(std::isnan(row.standardError));
            }
        }
    }
}
