#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "stats/ProductLimit.h"
#include "support/CaseListFactory.h"
#include "support/LiteralProductLimit.h"

using namespace kalderon;
using namespace kalderon::testing;

namespace {

// The product-limit computation as written: every valid case inserted one
// by one, then the estimate walked row by row.
std::vector<std::vector<CTimePointResult>> LiteralProductLimit(const CAnalysisData& data, const CaseList& cases,
                                                               bool stratified)
{
    const size_t groups = stratified ? data.groupResults.size() : 1;
    std::vector<std::vector<CTimePointResult>> tables(groups);
    for (size_t i = 0; i < cases.records.size(); ++i) {
        const CCaseRecord& c = cases.records[i];
        if (!c.isValid) continue;
        CTimePointResult row;
        row.survivalDays = c.observationDays;
        row.statusText = c.statusText;
        LiteralInsertTimePoint(tables[stratified ? cases.groupIndex[i] : 0], row, data.eventCode);
    }
    const double z = data.ciLevelText == ".99" ? 2.5758 : 1.95996;
    for (auto& rows : tables) {
        const int n = static_cast<int>(rows.size());
        double s = 1.0, v = 0.0;
        for (int k = 1; k <= n; ++k) {
            CTimePointResult& r = rows[k - 1];
            if (r.statusText != data.eventCode) continue;
            const int m = n - k;
            r.atRisk = m + 1;
            r.proportionSurviving = static_cast<double>(m) / (m + 1);
            s *= r.proportionSurviving;
            r.cumulativeSurvival = s;
            double se = 0.0;
            r.hasStandardError = 0;
            if (m > 0) {
                v += 1.0 / ((m + 1.0) * m);
                se = std::sqrt(v) * s;
                r.hasStandardError = 1;
            }
            r.standardError = se;
            r.lowerLimit = s - z * se > 0 ? s - z * se : 0;
            r.upperLimit = s + z * se >= 1.0 ? 1.0 : s + z * se;
        }
    }
    return tables;
}

void ExpectSameRows(const std::vector<CTimePointResult>& a, const std::vector<CTimePointResult>& b)
{
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(a[i].entryDays, b[i].entryDays);
        EXPECT_EQ(a[i].survivalDays, b[i].survivalDays);
        EXPECT_EQ(a[i].statusText, b[i].statusText);
        EXPECT_EQ(a[i].atRisk, b[i].atRisk);
        EXPECT_EQ(a[i].proportionSurviving, b[i].proportionSurviving);
        EXPECT_EQ(a[i].cumulativeSurvival, b[i].cumulativeSurvival);
        EXPECT_EQ(a[i].standardError, b[i].standardError);
        EXPECT_EQ(a[i].lowerLimit, b[i].lowerLimit);
        EXPECT_EQ(a[i].upperLimit, b[i].upperLimit);
        EXPECT_EQ(a[i].hasStandardError, b[i].hasStandardError);
    }
}

std::vector<CTimePointResult> Compute(const std::vector<CCaseRecord>& rows)
{
    CAnalysisData data;
    const CaseList cases = BuildCaseList(data, rows);
    EXPECT_EQ(ComputeProductLimit(data, cases, false), std::nullopt);
    return data.groupResults[0].timePoints;
}

}  // namespace

TEST(ProductLimit, TinyGroupAByHand)
{
    CAnalysisData data;
    const CaseList cases = BuildCaseList(data, TinyCases(), "tiny.txt");
    data.groupResults[1].timePoints.resize(3);  // left over from an earlier run
    ASSERT_EQ(ComputeProductLimit(data, cases, true), std::nullopt);
    EXPECT_EQ(data.title, "tiny.txt");

    const auto& a = data.groupResults[0].timePoints;
    ASSERT_EQ(a.size(), 6u);
    const int days[] = {365, 366, 547, 730, 1277, 3652};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(a[i].survivalDays, days[i]);
    struct Death {
        int row;
        double atRisk, p, s, se, lower, upper;
    };
    for (const Death& d : {Death{0, 6, 0.833333, 0.833333, 0.152145, 0.535135, 1.0},
                           Death{2, 4, 0.75, 0.625, 0.213478, 0.206591, 1.0},
                           Death{3, 3, 0.666667, 0.416667, 0.221788, 0.0, 0.851362},
                           Death{4, 2, 0.5, 0.208333, 0.184388, 0.0, 0.569726}}) {
        const CTimePointResult& r = a[d.row];
        EXPECT_EQ(r.atRisk, d.atRisk);
        EXPECT_NEAR(r.proportionSurviving, d.p, 1e-6);
        EXPECT_NEAR(r.cumulativeSurvival, d.s, 1e-6);
        EXPECT_NEAR(r.standardError, d.se, 1e-6);
        EXPECT_NEAR(r.lowerLimit, d.lower, 1e-6);
        EXPECT_NEAR(r.upperLimit, d.upper, 1e-6);
        EXPECT_EQ(r.hasStandardError, 1);
    }
    // Censored rows keep their initial values.
    for (int row : {1, 5}) {
        EXPECT_EQ(a[row].atRisk, 0.0);
        EXPECT_EQ(a[row].proportionSurviving, 1.0);
        EXPECT_EQ(a[row].cumulativeSurvival, 1.0);
        EXPECT_EQ(a[row].hasStandardError, 0);
    }

    // Group B: the death of 730 days comes before the censoring of the same day.
    const auto& b = data.groupResults[1].timePoints;
    ASSERT_EQ(b.size(), 6u);
    EXPECT_EQ(b[3].survivalDays, 731);
    EXPECT_EQ(b[3].statusText, "1");
    EXPECT_EQ(b[3].atRisk, 3.0);  // the censored case of the same day is still at risk
    EXPECT_EQ(b[4].survivalDays, 731);
    EXPECT_EQ(b[4].statusText, "0");
    EXPECT_EQ(data.groupResults[1].info.recordsValid, 6);
}

TEST(ProductLimit, EdgeCases)
{
    // One valid case that died: the estimate drops to 0 without standard error.
    const auto single = Compute({MakeCase(1, Ymd(2000, 1, 1), Ymd(2000, 3, 1), "1")});
    ASSERT_EQ(single.size(), 1u);
    EXPECT_EQ(single[0].atRisk, 1.0);
    EXPECT_EQ(single[0].proportionSurviving, 0.0);
    EXPECT_EQ(single[0].cumulativeSurvival, 0.0);
    EXPECT_EQ(single[0].hasStandardError, 0);
    EXPECT_EQ(single[0].lowerLimit, 0.0);
    EXPECT_EQ(single[0].upperLimit, 0.0);

    // Two deaths on the same day among 10 at risk.
    std::vector<CCaseRecord> ten;
    for (int i = 1; i <= 10; ++i)
        ten.push_back(MakeCase(i, Ymd(2000, 1, 1), Ymd(2000, 1, i <= 2 ? 5 : 20), i <= 2 ? "1" : "0"));
    const auto tied = Compute(ten);
    EXPECT_EQ(tied[0].atRisk, 10.0);
    EXPECT_EQ(tied[1].atRisk, 9.0);
    EXPECT_DOUBLE_EQ(tied[0].cumulativeSurvival, 0.9);
    EXPECT_DOUBLE_EQ(tied[1].proportionSurviving, 8.0 / 9.0);
    EXPECT_DOUBLE_EQ(tied[1].cumulativeSurvival, 0.8);
    // Grouped Greenwood term d / (r (r - d)) = 2 / 80.
    EXPECT_NEAR(tied[1].standardError, std::sqrt(2.0 / 80.0) * 0.8, 1e-12);

    // Invalid rows are counted as skipped and get no time point.
    CAnalysisData data;
    const CaseList cases = BuildCaseList(data, {MakeCase(1, Ymd(2000, 1, 1), Ymd(1999, 1, 1), "1", "g"),
                                                MakeCase(2, Ymd(2000, 1, 1), Ymd(2001, 1, 1), "1", "h")});
    EXPECT_EQ(ComputeProductLimit(data, cases, false), std::nullopt);
    EXPECT_EQ(data.groupResults[0].timePoints.size(), 1u);
    EXPECT_EQ(data.groupResults[0].info.recordsRead, 2);
    EXPECT_EQ(data.groupResults[0].info.recordsSkipped, 1);
    EXPECT_EQ(data.groupResults[1].info.recordsRead, 0);
}

TEST(ProductLimit, MatchesTheLiteralProcedureOnRandomData)
{
    std::mt19937 rng(11);
    for (int maxDays : {0, 3, 40, 2000}) {
        for (bool stratified : {false, true}) {
            CAnalysisData data;
            const CaseList cases = BuildCaseList(data, RandomCases(rng, 400, 30, maxDays));
            data.ciLevelText = stratified ? ".99" : ".95";
            EXPECT_EQ(ComputeProductLimit(data, cases, stratified), std::nullopt);
            const auto literal = LiteralProductLimit(data, cases, stratified);
            for (size_t g = 0; g < literal.size(); ++g) ExpectSameRows(data.groupResults[g].timePoints, literal[g]);
        }
    }
}

TEST(ProductLimit, EmptyGroupListComputesNothing)
{
    CAnalysisData data;
    CaseList cases;
    cases.sourcePath = "empty.txt";
    EXPECT_EQ(ComputeProductLimit(data, cases, false), std::nullopt);
    EXPECT_EQ(data.title, "empty.txt");
}
