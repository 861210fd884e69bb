#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "stats/AgeStandardisation.h"
#include "stats/NetSurvival.h"
#include "stats/NetSurvivalCases.h"
#include "support/CaseListFactory.h"
#include "support/LiteralNetSurvival.h"

namespace kalderon {
namespace {

// Tables for 1990, 1995 and every year 1998-2003 (gaps between them), ages
// 0-89, mortality rising with age, lower for the second sex.
std::vector<CPopulationYearTable> GappedTables()
{
    std::vector<CPopulationYearTable> tables;
    for (int year : {1990, 1995, 1998, 1999, 2000, 2001, 2002, 2003}) {
        CPopulationYearTable t{year, {}, {}};
        for (int age = 0; age < 90; ++age) {
            const double q = std::min(0.6, 0.0004 + 0.00008 * std::exp(0.09 * age) * (1.0 + 0.01 * (year - 1990)));
            t.firstSex.push_back(q);
            t.secondSex.push_back(0.7 * q);
        }
        tables.push_back(std::move(t));
    }
    return tables;
}

double Serial(int y, int m, int d) { return DateValue::FromYmd(y, m, d).serial(); }

// Case i in class i mod the number of weights.
WeightClasses ClassesOf(size_t cases, std::vector<double> weights)
{
    WeightClasses classes{std::vector<std::uint8_t>(cases), std::move(weights)};
    for (size_t i = 0; i < cases; ++i) classes.classOf[i] = static_cast<std::uint8_t>(i % classes.weights.size());
    return classes;
}

// Random cases 1996-2001 with many ties, deaths and censorings on day 0,
// births on 29 February and on 1 January, and now and then a later entry.
std::vector<NetSurvivalCase> RandomCases(std::mt19937& rng, int n, bool lateEntries)
{
    std::uniform_int_distribution<int> beginDay(0, 6 * 365), length(0, 1500), percent(0, 99), age(0, 95);
    std::vector<NetSurvivalCase> cases;
    for (int i = 0; i < n; ++i) {
        NetSurvivalCase c;
        c.beginDay = Serial(1996, 1, 1) + beginDay(rng);
        const int years = age(rng);
        const int kind = percent(rng);
        const CivilDate begin = DateValue::FromSerial(c.beginDay).civil();
        if (kind < 10)
            c.birthDay = Serial(1896 + 4 * (years / 4), 2, 29);
        else if (kind < 20)
            c.birthDay = Serial(begin.year - years, 1, 1);
        else
            c.birthDay = c.beginDay - years * 365.25 - percent(rng) * 3;
        c.birthDay = std::min(c.birthDay, c.beginDay);
        c.sex = percent(rng) < 55 ? 0 : 1;
        c.lastDay = percent(rng) < 8 ? 0 : (percent(rng) < 30 ? 10 * (length(rng) / 100) : length(rng));
        c.died = percent(rng) < 60;
        if (lateEntries && percent(rng) < 40) c.firstDay = std::uniform_int_distribution<int>(0, c.lastDay + 3)(rng);
        cases.push_back(c);
    }
    return cases;
}

void ExpectSameCurve(const NetSurvivalCurve& fast, const NetSurvivalCurve& literal)
{
    ASSERT_EQ(fast.cumulativeHazard.size(), literal.cumulativeHazard.size());
    for (size_t d = 0; d < literal.cumulativeHazard.size(); ++d) {
        const double h = literal.cumulativeHazard[d], v = literal.variance[d];
        ASSERT_NEAR(fast.cumulativeHazard[d], h, 1e-12 * std::max(1.0, std::fabs(h))) << "day " << d;
        ASSERT_NEAR(fast.variance[d], v, 1e-12 * std::max(1.0, v)) << "day " << d;
        ASSERT_NEAR(fast.SurvivalAt(static_cast<std::int32_t>(d)), std::exp(-h), 1e-12) << "day " << d;
    }
}

TEST(NetSurvivalTest, AgreesWithTheDayByDayFormulasOnRandomCases)
{
    const std::vector<CPopulationYearTable> tables = GappedTables();
    const AnnualSurvivalGrid grid(tables);
    std::mt19937 rng(20261208);
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(round);
        const bool lateEntries = round % 2 == 1;
        const std::vector<NetSurvivalCase> cases = RandomCases(rng, round < 4 ? 60 : 400, lateEntries);
        ExpectSameCurve(ComputeNetSurvivalCurve(cases, grid), testing::LiteralNetSurvival(cases, tables));
    }
}

TEST(NetSurvivalTest, WeightedCasesFollowTheDayByDayFormulas)
{
    const std::vector<CPopulationYearTable> tables = GappedTables();
    const AnnualSurvivalGrid grid(tables);
    std::mt19937 rng(36);
    std::vector<NetSurvivalCase> cases = RandomCases(rng, 300, true);
    const WeightClasses classes = ClassesOf(cases.size(), {0.35, 0.8, 1.4, 2.9, 0.6});
    for (size_t i = 0; i < cases.size(); ++i) cases[i].weight = classes.weights[classes.classOf[i]];
    const WeightedNetSurvival weighted = ComputeWeightedNetSurvival(cases, grid, classes);
    ExpectSameCurve(weighted.net, testing::LiteralNetSurvival(cases, tables));
    const std::vector<double>& expected = weighted.expected;
    const std::vector<double> literal = testing::LiteralWeightedExpected(cases, tables);
    ASSERT_EQ(expected.size(), literal.size());
    for (size_t d = 0; d < literal.size(); ++d) ASSERT_NEAR(expected[d], literal[d], 1e-12) << "day " << d;
}

TEST(NetSurvivalTest, OneWalkWithWeightsGivesBothWalksToTheBit)
{
    const std::vector<CPopulationYearTable> tables = GappedTables();
    const AnnualSurvivalGrid grid(tables);
    std::mt19937 rng(3610);
    std::vector<NetSurvivalCase> cases = RandomCases(rng, 300, true);
    const WeightClasses classes = ClassesOf(cases.size(), {0.3, 1.0, 1.7, 2.4, 3.1, 3.8, 4.5});
    const NetSurvivalCurve net = ComputeNetSurvivalCurve(cases, grid);
    // The cases' own weights are left aside in the unweighted sums.
    for (size_t i = 0; i < cases.size(); ++i) cases[i].weight = classes.weights[classes.classOf[i]];
    const NetSurvivalWithWeighted both = ComputeNetSurvivalWithWeighted(cases, grid, classes);
    EXPECT_EQ(both.net.cumulativeHazard, net.cumulativeHazard);
    EXPECT_EQ(both.net.variance, net.variance);
    const WeightedNetSurvival weighted = ComputeWeightedNetSurvival(cases, grid, classes);
    EXPECT_EQ(both.weighted.net.cumulativeHazard, weighted.net.cumulativeHazard);
    EXPECT_EQ(both.weighted.net.variance, weighted.net.variance);
    EXPECT_EQ(both.weighted.expected, weighted.expected);
    ASSERT_GT(weighted.expected.size(), 1000u);
}

// Yearly death probabilities rising with age up to 0.77 from age 99 on, for
// every year 1970-2020: weights of the oldest cases grow past 1e12 in 20 years.
std::vector<CPopulationYearTable> TablesWithVeryOldAges()
{
    std::vector<CPopulationYearTable> tables;
    for (int year = 1970; year <= 2020; ++year) {
        CPopulationYearTable t{year, {}, {}};
        for (int age = 0; age < 100; ++age) {
            const double q = std::min(0.77, 0.0005 + 0.00004 * std::exp(0.105 * age));
            t.firstSex.push_back(q);
            t.secondSex.push_back(std::min(0.75, 0.8 * q));
        }
        tables.push_back(std::move(t));
    }
    return tables;
}

TEST(NetSurvivalTest, VeryOldCasesFollowTheDayByDayFormulasWhereTheEstimateIsStable)
{
    const std::vector<CPopulationYearTable> tables = TablesWithVeryOldAges();
    std::mt19937 rng(1890);
    std::uniform_int_distribution<int> beginDay(0, 15 * 365), length(0, 20 * 365), percent(0, 99);
    std::vector<NetSurvivalCase> cases;
    for (int i = 0; i < 700; ++i) {
        NetSurvivalCase c;
        c.beginDay = Serial(1980, 1, 1) + beginDay(rng);
        const bool old = i % 10 == 0;
        c.birthDay = old ? Serial(1890, 1, 1) + percent(rng) * 36.5 : c.beginDay - (40 + percent(rng) / 2) * 365.25;
        c.sex = old || percent(rng) < 50 ? 1 : 0;
        c.lastDay = percent(rng) < 30 ? 20 * 365 : length(rng);
        c.died = percent(rng) < (old ? 50 : 30);
        cases.push_back(c);
    }
    const NetSurvivalCurve fast = ComputeNetSurvivalCurve(cases, AnnualSurvivalGrid(tables));
    const NetSurvivalCurve literal = testing::LiteralNetSurvival(cases, tables);
    const std::int32_t unstable = literal.FirstUnstableDay();
    ASSERT_GT(unstable, 365);
    ASSERT_LT(unstable, 20 * 365);
    EXPECT_EQ(fast.FirstUnstableDay(), unstable);
    for (std::int32_t d = 0; d < unstable; ++d) {
        ASSERT_NEAR(fast.SurvivalAt(d), literal.SurvivalAt(d), 1e-6 * literal.SurvivalAt(d)) << "day " << d;
        ASSERT_NEAR(fast.StandardErrorAt(d), literal.StandardErrorAt(d), 1e-6 * literal.StandardErrorAt(d) + 1e-15)
            << "day " << d;
    }
}

TEST(NetSurvivalTest, HandComputedCurves)
{
    // One table for all years, q = 0.1 at every age: hazard -ln 0.9 / 365.25 per day.
    const std::vector<CPopulationYearTable> tables{{2000, std::vector<double>(100, 0.1), std::vector<double>(100, 0.1)}};
    const AnnualSurvivalGrid grid(tables);
    const double lambda = -std::log(0.9) / 365.25;
    const double begin = Serial(2000, 3, 1), birth = Serial(1950, 6, 15);

    // Censored cases only: the net hazard is minus the expected one, so net
    // survival is the inverse of the expected survival.
    const NetSurvivalCurve censored = ComputeNetSurvivalCurve({{begin, birth, 0, 0, 730, false}}, grid);
    EXPECT_NEAR(censored.SurvivalAt(365), std::exp(365 * lambda), 1e-13);
    EXPECT_NEAR(censored.SurvivalAt(730), 1.0 / 0.81 * std::exp(0.5 * std::log(0.9) / 365.25), 1e-12);
    EXPECT_EQ(censored.StandardErrorAt(730), 0.0);

    // Two cases; one dies on day 0: hazard 1/2 with variance 1/4 on day 0.
    const NetSurvivalCurve early =
        ComputeNetSurvivalCurve({{begin, birth, 0, 0, 0, true}, {begin, birth, 1, 0, 10, false}}, grid);
    EXPECT_DOUBLE_EQ(early.cumulativeHazard[0], 0.5);
    EXPECT_DOUBLE_EQ(early.variance[0], 0.25);
    EXPECT_NEAR(early.cumulativeHazard[10], 0.5 - 10 * lambda, 1e-15);
    EXPECT_NEAR(early.StandardErrorAt(10), std::exp(-0.5 + 10 * lambda) * 0.5, 1e-15);

    // Two cases, one dies on day 100: both weigh exp(100 lambda) then.
    const NetSurvivalCurve both =
        ComputeNetSurvivalCurve({{begin, birth, 0, 0, 100, true}, {begin, birth, 1, 0, 200, false}}, grid);
    EXPECT_NEAR(both.cumulativeHazard[100], 0.5 - 100 * lambda, 1e-14);
    EXPECT_NEAR(both.variance[100], 0.25, 1e-14);
    EXPECT_NEAR(both.cumulativeHazard[200], 0.5 - 200 * lambda, 1e-14);
    EXPECT_EQ(both.SurvivalAt(5000), both.SurvivalAt(200));
    EXPECT_EQ(NetSurvivalCurve().SurvivalAt(3), 1.0);
}

TEST(NetSurvivalTest, CellsChangeOnNewYearAndOnTheBirthday)
{
    // q by age only (0.01 below 51, 0.2 from 51), then by year only.
    std::vector<double> byAge(100, 0.01);
    for (int a = 51; a < 100; ++a) byAge[a] = 0.2;
    const std::vector<CPopulationYearTable> ageTables{{2000, byAge, byAge}};
    const double lowHazard = -std::log(0.99) / 365.25, highHazard = -std::log(0.8) / 365.25;
    // Born 10.03.1950, followed from 01.03.2001: nine days at age 50 (the dates
    // 01.03 to 09.03), then age 51.
    const NetSurvivalCase c{Serial(2001, 3, 1), Serial(1950, 3, 10), 0, 0, 20, false};
    const NetSurvivalCurve curve = ComputeNetSurvivalCurve({c}, AnnualSurvivalGrid(ageTables));
    EXPECT_NEAR(curve.cumulativeHazard[9], -9 * lowHazard, 1e-15);
    EXPECT_NEAR(curve.cumulativeHazard[20], -9 * lowHazard - 11 * highHazard, 1e-15);

    // Born 29.02.1952: in 2001 the birthday is on 1 March.
    const NetSurvivalCase leap{Serial(2001, 2, 20), Serial(1952, 2, 29), 0, 0, 20, false};
    const NetSurvivalCurve leapCurve = ComputeNetSurvivalCurve({leap}, AnnualSurvivalGrid(ageTables));
    const NetSurvivalCurve leapLiteral = testing::LiteralNetSurvival({leap}, ageTables);
    ExpectSameCurve(leapCurve, leapLiteral);

    std::vector<CPopulationYearTable> yearTables{{2000, std::vector<double>(100, 0.01), std::vector<double>(100, 0.01)},
                                                 {2001, std::vector<double>(100, 0.2), std::vector<double>(100, 0.2)}};
    // From 25.12.2000: days 1-7 in 2000 (25.12 to 31.12), then 2001.
    const NetSurvivalCase newYear{Serial(2000, 12, 25), Serial(1950, 6, 1), 1, 0, 10, false};
    const NetSurvivalCurve yearCurve = ComputeNetSurvivalCurve({newYear}, AnnualSurvivalGrid(yearTables));
    EXPECT_NEAR(yearCurve.cumulativeHazard[10], -7 * lowHazard - 3 * highHazard, 1e-15);
}

TEST(NetSurvivalTest, CasesOfTheCohortAndOfThePeriod)
{
    CAnalysisData data;
    std::vector<CCaseRecord> rows{
        testing::MakeCase(1, testing::Ymd(1998, 5, 1), testing::Ymd(2001, 5, 1), "1", "a"),
        testing::MakeCase(2, testing::Ymd(2000, 1, 1), testing::Ymd(2004, 1, 1), "1", "a"),
        testing::MakeCase(3, testing::Ymd(1999, 12, 31), testing::Ymd(2000, 6, 1), "0", "b"),
        testing::MakeCase(4, testing::Ymd(1995, 1, 1), testing::Ymd(1999, 6, 1), "1", "b"),
    };
    for (CCaseRecord& r : rows) r.birthDate = testing::Ymd(1940, 1, 1);
    const CaseList list = testing::BuildCaseList(data, rows);
    data.periodBegin = testing::Ymd(2000, 1, 1);
    data.periodEnd = testing::Ymd(2002, 12, 31);

    const auto cohort = CohortNetSurvivalCases(data, list, true);
    ASSERT_EQ(cohort.size(), 2u);
    ASSERT_EQ(cohort[0].size(), 2u);
    EXPECT_EQ(cohort[0][0].lastDay, 1096);
    EXPECT_TRUE(cohort[0][0].died);

    const auto period = PeriodNetSurvivalCases(data, list, true);
    ASSERT_EQ(period[0].size(), 2u);
    // Begun 01.05.1998: entry 609 days later, at risk from day 610.
    EXPECT_EQ(period[0][0].firstDay, 610);
    EXPECT_EQ(period[0][0].lastDay, 1096);
    // Begun inside the period, cut at its end and censored there.
    EXPECT_EQ(period[0][1].firstDay, 0);
    EXPECT_EQ(period[0][1].lastDay, 1095);
    EXPECT_FALSE(period[0][1].died);
    // Begun the day before the period: at risk from day 1; the case that
    // ended before the period is left out.
    ASSERT_EQ(period[1].size(), 1u);
    EXPECT_EQ(period[1][0].firstDay, 1);

    const auto pooled = CohortNetSurvivalCases(data, list, false);
    ASSERT_EQ(pooled.size(), 1u);
    EXPECT_EQ(pooled[0].size(), 4u);
}

TEST(AgeStandardisationTest, WeightsGroupsAndSums)
{
    for (int s = kIcss1; s <= kIcss3; ++s) {
        double total = 0.0;
        for (double w : WeightsOfIcss(s)) total += w;
        EXPECT_NEAR(total, 1.0, 1e-15) << s;
    }
    EXPECT_EQ(WeightsOfIcss(kIcss2)[0], 0.28);
    EXPECT_EQ(WeightsOfIcss(kNoStandardisation)[4], 0.0);
    EXPECT_EQ(IcssAgeGroup(14), -1);
    EXPECT_EQ(IcssAgeGroup(15), 0);
    EXPECT_EQ(IcssAgeGroup(44), 0);
    EXPECT_EQ(IcssAgeGroup(45), 1);
    EXPECT_EQ(IcssAgeGroup(64), 2);
    EXPECT_EQ(IcssAgeGroup(74), 3);
    EXPECT_EQ(IcssAgeGroup(75), 4);
    EXPECT_EQ(IcssAgeGroup(103), 4);

    std::array<AgeGroupEstimate, kIcssAgeGroups> groups{
        {{true, 0.9, 0.01}, {true, 0.8, 0.02}, {true, 0.7, 0.02}, {true, 0.6, 0.03}, {true, 0.5, 0.04}}};
    const AgeGroupEstimate standardised = StandardiseOverAgeGroups(groups, WeightsOfIcss(kIcss1));
    ASSERT_TRUE(standardised.available);
    EXPECT_NEAR(standardised.value, 0.063 + 0.096 + 0.161 + 0.174 + 0.145, 1e-15);
    EXPECT_NEAR(standardised.standardError,
                std::sqrt(0.0049e-4 + 0.0144 * 4e-4 + 0.0529 * 4e-4 + 0.0841 * 9e-4 + 0.0841 * 16e-4), 1e-15);
    groups[3].available = false;
    EXPECT_FALSE(StandardiseOverAgeGroups(groups, WeightsOfIcss(kIcss1)).available);

    const std::vector<NetSurvivalCase> cases{
        {Serial(2000, 6, 1), Serial(1990, 6, 1), 0, 0, 5, false},   // 10: left out
        {Serial(2000, 6, 1), Serial(1985, 6, 2), 0, 0, 5, false},   // 14: left out
        {Serial(2000, 6, 1), Serial(1985, 6, 1), 0, 0, 5, false},   // 15
        {Serial(2000, 6, 1), Serial(1925, 6, 1), 0, 0, 5, false},   // 75
    };
    const CasesByAgeGroup split = SplitByIcssAgeGroup(cases);
    EXPECT_EQ(split.underAge, 2);
    EXPECT_EQ(split.groups[0].size(), 1u);
    EXPECT_EQ(split.groups[4].size(), 1u);
}

}  // namespace
}  // namespace kalderon
