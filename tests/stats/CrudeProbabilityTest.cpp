#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "stats/CrudeProbability.h"

using namespace kalderon;

namespace {

// One interval of a relative survival life table as the crude probabilities
// read it: observed and expected interval survival and the exposed to risk.
struct Interval {
    double p;
    double expectedP;
    double exposed;
};

// The cumulative crude probability of death from the disease (or from other
// causes) at the end of interval k, straight from its definition as a sum
// over the intervals of the survival up to each times its share of deaths.
double Cumulative(const std::vector<Interval>& t, const std::vector<double>& p, size_t k, bool disease)
{
    double sum = 0.0;
    for (size_t i = 0; i <= k; ++i) {
        double survivalBefore = 1.0;
        for (size_t m = 0; m < i; ++m) survivalBefore *= p[m];
        const double r = p[i] / t[i].expectedP;
        const double qStar = 1.0 - t[i].expectedP;
        sum += survivalBefore * (disease ? (1.0 - r) * (1.0 - qStar / 2.0) : qStar * (1.0 - (1.0 - r) / 2.0));
    }
    return sum;
}

// Its delta-method standard error, with the derivatives taken numerically.
double StandardError(const std::vector<Interval>& t, size_t k, bool disease)
{
    std::vector<double> p;
    for (const Interval& i : t) p.push_back(i.p);
    double variance = 0.0;
    for (size_t j = 0; j <= k; ++j) {
        const double h = 1e-5;
        std::vector<double> up = p, down = p;
        up[j] += h;
        down[j] -= h;
        const double derivative = (Cumulative(t, up, k, disease) - Cumulative(t, down, k, disease)) / (2.0 * h);
        variance += derivative * derivative * p[j] * (1.0 - p[j]) / t[j].exposed;
    }
    return std::sqrt(variance);
}

CGroupResult GroupOf(const std::vector<Interval>& t, const char* code)
{
    CGroupResult group;
    group.info.code = code;
    group.info.recordsRead = 1;
    double survival = 1.0;
    double expected = 1.0;
    for (size_t i = 0; i < t.size(); ++i) {
        CIntervalResult row;
        row.intervalNumber = static_cast<std::int32_t>(i + 1);
        row.exposedToRisk = t[i].exposed;
        row.intervalSurvival = t[i].p;
        survival *= t[i].p;
        expected *= t[i].expectedP;
        row.cumulativeSurvival = survival;
        row.expectedSurvival = expected;
        group.intervalTable.rows.push_back(row);
        group.countsAll.push_back({static_cast<std::int32_t>(t[i].exposed) + 1, 0, 1});
    }
    return group;
}

}  // namespace

// Random life tables, with intervals without deaths and intervals whose
// relative survival exceeds 1, against the definitions: the two cumulative
// probabilities, their standard errors, and their sum equal to one minus the
// observed survival at every interval.  A group without records has no
// table, and a table ends before the first interval nobody entered.
TEST(CrudeProbabilityTest, MatchesTheDefinitionsOnRandomLifeTables)
{
    std::mt19937 random(20001729);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    CAnalysisData data;
    data.relativeSurvival = 1;
    std::vector<std::vector<Interval>> tables;
    for (int g = 0; g < 3; ++g) {
        std::vector<Interval> t;
        for (int i = 0; i < 12 + 4 * g; ++i) {
            const double expectedP = 0.85 + 0.15 * unit(random);
            const double p = unit(random) < 0.2 ? 1.0 : std::min(1.0, expectedP * (0.6 + 0.5 * unit(random)));
            t.push_back({p, expectedP, 3.0 + 400.0 * unit(random)});
        }
        tables.push_back(t);
        data.groupResults.push_back(GroupOf(t, g == 0 ? "A" : g == 1 ? "B" : "C"));
    }
    data.groupResults.push_back(GroupOf(tables[0], "unread"));
    data.groupResults.back().info.recordsRead = 0;
    data.groupResults[2].countsAll[10].entered = 0;

    ASSERT_FALSE(CrudeProbabilityRefusal(kLifeTable, data));
    const std::vector<CrudeProbabilityGroup> groups = ComputeCrudeProbabilities(data);
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(groups[1].code, "B");
    EXPECT_EQ(groups[2].rows.size(), 10u);
    for (size_t g = 0; g < groups.size(); ++g) {
        const std::vector<Interval>& t = tables[g];
        std::vector<double> p;
        for (const Interval& i : t) p.push_back(i.p);
        for (size_t k = 0; k < groups[g].rows.size(); ++k) {
            const CrudeProbabilityRow& row = groups[g].rows[k];
            SCOPED_TRACE(::testing::Message() << "group " << g << " interval " << k + 1);
            EXPECT_EQ(row.intervalNumber, static_cast<int>(k + 1));
            EXPECT_NEAR(row.disease, Cumulative(t, p, k, true), 1e-13);
            EXPECT_NEAR(row.otherCauses, Cumulative(t, p, k, false), 1e-13);
            EXPECT_NEAR(row.diseaseStandardError, StandardError(t, k, true), 1e-8);
            EXPECT_NEAR(row.otherCausesStandardError, StandardError(t, k, false), 1e-8);
            EXPECT_NEAR(row.disease + row.otherCauses, row.allCauses, 1e-13);
            EXPECT_NEAR(row.allCauses, 1.0 - data.groupResults[g].intervalTable.rows[k].cumulativeSurvival, 0.0);
        }
    }

    data.SetSurvivalMethod(ExpectedSurvivalMethod::kHakulinen);
    EXPECT_TRUE(CrudeProbabilityRefusal(kLifeTable, data));
    data.SetSurvivalMethod(ExpectedSurvivalMethod::kEdererII);
    EXPECT_TRUE(CrudeProbabilityRefusal(kProductLimit, data));
    data.relativeSurvival = 0;
    EXPECT_TRUE(CrudeProbabilityRefusal(kLifeTable, data));
}
