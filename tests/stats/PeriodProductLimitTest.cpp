#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "stats/PeriodAnalysis.h"
#include "support/CaseListFactory.h"
#include "support/LiteralProductLimit.h"

using namespace kalderon;
using namespace kalderon::testing;

namespace {

// The product-limit technique as written: overlapping cases inserted one by
// one, the number at risk counted row by row.
std::vector<std::vector<CTimePointResult>> LiteralPeriodProductLimit(const CAnalysisData& data, const CaseList& cases,
                                                                     bool stratified)
{
    std::vector<std::vector<CTimePointResult>> tables(stratified ? data.groupResults.size() : 1);
    const double pb = data.periodBegin.serial(), pe = data.periodEnd.serial();
    for (size_t i = 0; i < cases.records.size(); ++i) {
        const CCaseRecord& c = cases.records[i];
        if (!c.isValid || c.endDate.serial() < pb || c.beginDate.serial() > pe) continue;
        CTimePointResult row;
        if (c.endDate.serial() <= pe) {
            row.survivalDays = c.observationDays;
            row.statusText = c.statusText;
        } else {
            row.survivalDays = static_cast<int>(pe - c.beginDate.serial());
            row.statusText = c.statusText == data.eventCode ? CutText(c.statusText) : c.statusText.str();
        }
        // A case beginning within the period is at risk from time 0 on
        // (entry -1), one that began before it from its first day in it.
        row.entryDays = c.beginDate.serial() < pb ? static_cast<int>(pb - c.beginDate.serial()) - 1 : -1;
        LiteralInsertTimePoint(tables[stratified ? cases.groupIndex[i] : 0], row, data.eventCode);
    }
    const double z = data.ciLevelText == ".99" ? 2.5758 : 1.95996;
    for (auto& rows : tables) {
        const std::vector<int> atRisk = LiteralAtRisk(rows);
        for (CTimePointResult& r : rows) r.entryDays = std::max(r.entryDays, 0);
        double s = 1.0, v = 0.0;
        for (size_t j = 0; j < rows.size(); ++j) {
            CTimePointResult& r = rows[j];
            const double d = atRisk[j];
            if (r.statusText != data.eventCode) {
                if (j == 0) r.atRisk = d;
                continue;
            }
            r.atRisk = d;
            r.proportionSurviving = 1.0 - 1.0 / d;
            s *= r.proportionSurviving;
            r.cumulativeSurvival = s;
            double se = 0.0;
            if (d > 1) v += 1.0 / (d * (d - 1));
            if (d > 1 && s > 0) {
                se = std::sqrt(v) * s;
                r.hasStandardError = 1;
            }
            r.standardError = se;
            r.lowerLimit = s - z * se > 0 ? s - z * se : 0.0;
            r.upperLimit = s + z * se >= 1.0 ? 1.0 : s + z * se;
        }
    }
    return tables;
}

}  // namespace

TEST(PeriodProductLimit, TinyGroupBWithDelayedEntry)
{
    CAnalysisData data;
    const CaseList cases = BuildCaseList(data, TinyCases(), "tiny.txt");
    data.periodBegin = Ymd(1997, 1, 1);
    data.periodEnd = Ymd(2001, 12, 31);
    data.periodTechnique = 1;
    ASSERT_EQ(ComputePeriodAnalysis(data, cases, true), std::nullopt);
    EXPECT_EQ(data.title, "tiny.txt");

    // Rows: 364 days dead (entry 0), 364 censored at the period end (entry 0),
    // two deaths at 365 days (entry 213), 731 dead and 731 censored (entry 730).
    const auto& b = data.groupResults[1].timePoints;
    ASSERT_EQ(b.size(), 6u);
    const int days[] = {364, 364, 365, 365, 731, 731};
    const int entries[] = {0, 0, 213, 213, 730, 730};
    const char* statuses[] = {"1", "0", "1", "1", "1", "0"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(b[i].survivalDays, days[i]);
        EXPECT_EQ(b[i].entryDays, entries[i]);
        EXPECT_EQ(b[i].statusText, statuses[i]);
    }
    // At risk 4 (the cases entering in 1996 are in), 2, 1 (the cases of 1995
    // enter only after 730 days), then 2 again.
    EXPECT_EQ(b[0].atRisk, 4.0);
    EXPECT_EQ(b[0].cumulativeSurvival, 0.75);
    EXPECT_EQ(b[1].atRisk, 0.0);
    EXPECT_EQ(b[2].atRisk, 2.0);
    EXPECT_EQ(b[2].cumulativeSurvival, 0.375);
    EXPECT_NEAR(b[2].standardError, std::sqrt(1.0 / 12 + 1.0 / 2) * 0.375, 1e-15);
    EXPECT_EQ(b[3].atRisk, 1.0);
    EXPECT_EQ(b[3].cumulativeSurvival, 0.0);
    EXPECT_EQ(b[3].hasStandardError, 0);
    // A death after the survival has reached 0 has no standard error.
    EXPECT_EQ(b[4].atRisk, 2.0);
    EXPECT_EQ(b[4].cumulativeSurvival, 0.0);
    EXPECT_EQ(b[4].hasStandardError, 0);

    // Group A: case 1 ends before the period; case 6 dies after it and is
    // censored at its end, after the death of the same day.
    const auto& a = data.groupResults[0].timePoints;
    ASSERT_EQ(a.size(), 5u);
    EXPECT_EQ(a[2].survivalDays, 730);
    EXPECT_EQ(a[2].statusText, "1");
    EXPECT_EQ(a[2].entryDays, 183);
    EXPECT_EQ(a[3].survivalDays, 730);
    EXPECT_EQ(a[3].statusText, "1C");
    EXPECT_EQ(a[4].survivalDays, 2556);
}

TEST(PeriodProductLimit, TimeZeroAndCensoredFirstRow)
{
    CAnalysisData data;
    const CaseList cases = BuildCaseList(data, {
                                                   MakeCase(1, Ymd(2000, 1, 1), Ymd(2000, 1, 1), "0"),
                                                   MakeCase(2, Ymd(2000, 2, 1), Ymd(2000, 2, 1), "1"),
                                                   MakeCase(3, Ymd(1999, 12, 1), Ymd(2000, 3, 1), "1"),
                                                   MakeCase(4, Ymd(2000, 5, 1), Ymd(2000, 6, 1), "1"),
                                               });
    data.periodBegin = Ymd(2000, 1, 1);
    data.periodEnd = Ymd(2000, 12, 31);
    EXPECT_EQ(ComputePeriodProductLimit(data, cases, false), std::nullopt);
    const auto& rows = data.groupResults[0].timePoints;
    ASSERT_EQ(rows.size(), 4u);
    // The death at time 0 comes first; of the later rows only case 1 and
    // case 4 enter at 0 (case 3 enters after 30 days).
    EXPECT_EQ(rows[0].survivalDays, 0);
    EXPECT_EQ(rows[0].statusText, "1");
    EXPECT_EQ(rows[0].atRisk, 3.0);
    EXPECT_EQ(rows[1].statusText, "0");
    EXPECT_EQ(rows[1].atRisk, 0.0);
    EXPECT_EQ(rows[2].survivalDays, 31);
    EXPECT_EQ(rows[2].atRisk, 2.0);
    EXPECT_EQ(rows[3].entryDays, 30);

    // A censored first row keeps its number at risk.
    data.eventCode = "2";
    EXPECT_EQ(ComputePeriodProductLimit(data, cases, false), std::nullopt);
    EXPECT_EQ(data.groupResults[0].timePoints[0].atRisk, 3.0);
    EXPECT_EQ(data.groupResults[0].timePoints[1].atRisk, 0.0);
}

TEST(PeriodProductLimit, ACaseBegunTheDayBeforeThePeriodIsNotAtRiskAtTimeZero)
{
    CAnalysisData data;
    const CaseList cases = BuildCaseList(data, {
                                                   MakeCase(1, Ymd(2009, 12, 31), Ymd(2011, 12, 31), "0"),
                                                   MakeCase(2, Ymd(2010, 1, 1), Ymd(2010, 1, 1), "1"),
                                                   MakeCase(3, Ymd(2010, 1, 1), Ymd(2011, 6, 1), "0"),
                                               });
    data.periodBegin = Ymd(2010, 1, 1);
    data.periodEnd = Ymd(2010, 12, 31);
    ASSERT_EQ(ComputePeriodProductLimit(data, cases, false), std::nullopt);
    const auto& rows = data.groupResults[0].timePoints;
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].atRisk, 2.0);
    EXPECT_EQ(rows[0].cumulativeSurvival, 0.5);
    EXPECT_EQ(rows[1].entryDays, 0);
    EXPECT_EQ(rows[2].entryDays, 0);
}

TEST(PeriodProductLimit, MatchesTheLiteralProcedureOnRandomData)
{
    std::mt19937 rng(17);
    for (int maxDays : {2, 60, 900}) {
        for (bool stratified : {false, true}) {
            CAnalysisData data;
            const CaseList cases = BuildCaseList(data, RandomCases(rng, 400, 400, maxDays));
            data.periodBegin = DateValue::FromSerial(36526.0 + 150);
            data.periodEnd = DateValue::FromSerial(36526.0 + 300);
            data.ciLevelText = stratified ? ".99" : ".95";
            EXPECT_EQ(ComputePeriodProductLimit(data, cases, stratified), std::nullopt);
            const auto literal = LiteralPeriodProductLimit(data, cases, stratified);
            for (size_t g = 0; g < literal.size(); ++g) {
                const auto& fast = data.groupResults[g].timePoints;
                ASSERT_EQ(fast.size(), literal[g].size());
                for (size_t i = 0; i < fast.size(); ++i) {
                    SCOPED_TRACE(::testing::Message() << "days " << maxDays << " group " << g << " row " << i);
                    EXPECT_EQ(fast[i].entryDays, literal[g][i].entryDays);
                    EXPECT_EQ(fast[i].survivalDays, literal[g][i].survivalDays);
                    EXPECT_EQ(fast[i].statusText, literal[g][i].statusText);
                    EXPECT_EQ(fast[i].atRisk, literal[g][i].atRisk);
                    EXPECT_EQ(fast[i].proportionSurviving, literal[g][i].proportionSurviving);
                    EXPECT_EQ(fast[i].cumulativeSurvival, literal[g][i].cumulativeSurvival);
                    EXPECT_EQ(fast[i].standardError, literal[g][i].standardError);
                    EXPECT_EQ(fast[i].lowerLimit, literal[g][i].lowerLimit);
                    EXPECT_EQ(fast[i].upperLimit, literal[g][i].upperLimit);
                    EXPECT_EQ(fast[i].hasStandardError, literal[g][i].hasStandardError);
                }
            }
        }
    }
}
