#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "stats/BrennerStandardisation.h"
#include "stats/DateValue.h"
#include "stats/WeightedObservedSurvival.h"

namespace kalderon {
namespace {

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string f; std::getline(in, f, ';');) fields.push_back(f);
    return fields;
}

TEST(BrennerWeightingTest, WeightedProductLimitAsRSurvfitWithCaseWeights)
{
    std::ifstream in(std::string(KALDERON_SOURCE_DIR) + "/tests/data/brenner/weighted-product-limit.txt");
    ASSERT_TRUE(in);
    std::map<std::string, std::vector<NetSurvivalCase>> cases;
    std::map<std::string, std::vector<std::vector<std::string>>> curves;
    for (std::string line; std::getline(in, line);) {
        const std::vector<std::string> f = Fields(line);
        if (f[0] == "case")
            cases[f[1]].push_back({0.0, 0.0, 0, std::stoi(f[2]), std::stoi(f[3]), f[4] == "1", std::stod(f[5])});
        else if (f[0] == "curve")
            curves[f[1]].push_back(f);
    }
    ASSERT_EQ(curves.size(), 2u);
    for (const auto& [set, rows] : curves) {
        SCOPED_TRACE(set);
        std::int32_t lastDay = 0;
        for (const NetSurvivalCase& c : cases[set]) lastDay = std::max(lastDay, c.lastDay);
        const std::vector<AgeGroupEstimate> daily = WeightedProductLimit(cases[set], lastDay + 1, 1.0);
        ASSERT_GT(rows.size(), 100u);
        for (const std::vector<std::string>& f : rows) {
            const AgeGroupEstimate& e = daily[std::stoi(f[2])];
            const double survival = std::stod(f[3]), standardError = std::stod(f[4]);
            ASSERT_TRUE(e.available) << f[2];
            EXPECT_NEAR(e.value, survival, 1e-9) << f[2];
            if (survival > 0.0) EXPECT_NEAR(e.standardError, standardError, 1e-9) << f[2];
            else EXPECT_TRUE(std::isnan(e.standardError)) << f[2];
        }
    }
}

// Cutler-Ederer of weighted cases as the life table and the period analysis
// count them: a case enters the intervals up to the one its follow-up ends
// in, and one that enters late is taken away again as a follow-up censored
// the day before its first day.
std::vector<double> LiteralLifeTable(const std::vector<NetSurvivalCase>& cases, int intervals, double unit)
{
    std::vector<double> survival;
    double s = 1.0;
    for (int j = 0; j < intervals; ++j) {
        double entered = 0, dead = 0, censored = 0;
        for (const NetSurvivalCase& c : cases) {
            const auto count = [&](std::int32_t days, bool died, double sign) {
                const int k = static_cast<int>(days / unit);
                if (k >= j) entered += sign * c.weight;
                if (k == j) (died ? dead : censored) += sign * c.weight;
            };
            count(c.lastDay, c.died, 1.0);
            if (c.firstDay > 0) count(c.firstDay - 1, false, -1.0);
        }
        const double exposed = entered - censored / 2;
        if (entered <= 0 || exposed <= 0) break;
        s *= dead >= exposed ? 0.0 : 1.0 - dead / exposed;
        survival.push_back(s);
    }
    return survival;
}

TEST(BrennerWeightingTest, WeightedLifeTableAndItsStandardErrorFromTheDerivativesByTheWeights)
{
    std::mt19937 rng(36);
    std::uniform_int_distribution<int> length(0, 2000), percent(0, 99);
    const double weights[] = {0.35, 0.8, 1.4, 2.9, 0.6};
    for (const bool late : {false, true}) {
        SCOPED_TRACE(late);
        std::vector<NetSurvivalCase> cases;
        for (int i = 0; i < 120; ++i) {
            NetSurvivalCase c;
            c.lastDay = length(rng);
            c.firstDay = late && percent(rng) < 40 ? std::min(c.lastDay, 4 * percent(rng)) : 0;
            c.died = percent(rng) < 50;
            c.weight = weights[percent(rng) % 5];
            cases.push_back(c);
        }
        const int intervals = 7;
        const double unit = 365.25;
        const std::vector<AgeGroupEstimate> table = WeightedLifeTable(cases, intervals, unit);
        const std::vector<double> literal = LiteralLifeTable(cases, intervals, unit);
        ASSERT_GE(literal.size(), 5u);
        // The variance of log survival: the sum of (weight x its derivative)^2.
        std::vector<double> variance(literal.size(), 0.0);
        for (NetSurvivalCase& c : cases) {
            const double w = c.weight, h = 1e-6 * w;
            c.weight = w + h;
            const std::vector<double> up = LiteralLifeTable(cases, intervals, unit);
            c.weight = w - h;
            const std::vector<double> down = LiteralLifeTable(cases, intervals, unit);
            c.weight = w;
            for (size_t j = 0; j < literal.size(); ++j) {
                const double derivative = (std::log(up[j]) - std::log(down[j])) / (2 * h);
                variance[j] += w * w * derivative * derivative;
            }
        }
        for (size_t j = 0; j < literal.size(); ++j) {
            ASSERT_TRUE(table[j].available) << j;
            EXPECT_NEAR(table[j].value, literal[j], 1e-12) << j;
            const double standardError = literal[j] * std::sqrt(variance[j]);
            EXPECT_NEAR(table[j].standardError, standardError, 1e-6 * standardError) << j;
        }
        for (size_t j = literal.size(); j < static_cast<size_t>(intervals); ++j) EXPECT_FALSE(table[j].available);
    }
}

TEST(BrennerWeightingTest, WeightsFromTheStandardAndTheSharesOfTheAgeGroups)
{
    const IcssWeights& icss1 = WeightsOfIcss(kIcss1);
    const BrennerWeights w = BrennerWeightsOf({10, 20, 30, 20, 20}, icss1);
    ASSERT_TRUE(w.defined);
    const double expected[] = {0.07 * 10, 0.12 * 5, 0.23 * 100 / 30.0, 0.29 * 5, 0.29 * 5};
    for (int k = 0; k < kIcssAgeGroups; ++k) EXPECT_DOUBLE_EQ(w.byAgeGroup[k], expected[k]);
    EXPECT_FALSE(BrennerWeightsOf({10, 20, 0, 20, 20}, icss1).defined);

    // Cases of one age group only: no weights, every estimate missing.
    const std::vector<CPopulationYearTable> tables{{2000, std::vector<double>(100, 0.1), std::vector<double>(100, 0.1)}};
    const double begin = DateValue::FromYmd(2000, 3, 1).serial(), birth = DateValue::FromYmd(1950, 6, 15).serial();
    const std::vector<NetSurvivalCase> cases{{begin, birth, 0, 0, 400, true, 1.0}, {begin, birth, 1, 0, 900, false, 1.0}};
    const AnnualSurvivalGrid grid(tables);
    const StandardisedGroup group = BrennerStandardisedGroup(BrennerCasesOf(cases, kIcss1), grid, {kIcss1, 3, 365.25, true, false});
    EXPECT_TRUE(group.weightsUndefined);
    ASSERT_EQ(group.intervals.size(), 3u);
    for (const StandardisedInterval& row : group.intervals) EXPECT_FALSE(row.observed.available || row.net.available);
}

}  // namespace
}  // namespace kalderon
