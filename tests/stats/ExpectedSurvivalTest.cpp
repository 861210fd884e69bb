#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "stats/AnnualSurvivalGrid.h"
#include "stats/ExpectedSurvival.h"
#include "stats/PopulationLookup.h"
#include "stats/TimeUnit.h"
#include "support/CaseFactory.h"

using namespace kalderon;
using kalderon::testing::MakeCase;
using kalderon::testing::Ymd;

namespace {

CPopulationYearTable Table(int year, std::vector<double> male, std::vector<double> female)
{
    return {year, std::move(male), std::move(female)};
}

CaseList Build(CAnalysisData& data, const std::vector<CCaseRecord>& rows)
{
    CaseListBuilder builder(data);
    for (const CCaseRecord& c : rows) builder.Add(c);
    return builder.Finish();
}

CCaseRecord Person(int number, DateValue begin, DateValue end, const char* status, const char* sex, DateValue birth,
                   const char* group = "")
{
    return MakeCase(number, begin, end, status, group, sex, birth, true);
}

}  // namespace

TEST(PopulationLookup, YearAgeAndSexChoice)
{
    const std::vector<CPopulationYearTable> tables = {Table(1990, {0.1, 0.2}, {0.3, 0.4}),
                                                      Table(1998, {0.5, 0.6}, {0.7, 0.8})};
    const PopulationLookup lookup(tables, "1");
    EXPECT_EQ(lookup.TableFor(1994).year, 1998);  // equally near: the later table
    EXPECT_EQ(lookup.TableFor(1993).year, 1990);
    EXPECT_EQ(lookup.TableFor(1950).year, 1990);
    EXPECT_EQ(lookup.TableFor(2050).year, 1998);
    EXPECT_DOUBLE_EQ(lookup.Value(1990, 0, "1"), 0.1);
    EXPECT_DOUBLE_EQ(lookup.Value(1990, 99, "1"), 0.2);  // ages beyond the last row
    EXPECT_DOUBLE_EQ(lookup.Value(1990, 1, "2"), 0.4);
    EXPECT_DOUBLE_EQ(lookup.Value(1990, 1, "M"), 0.4);  // no match: second sex
    EXPECT_DOUBLE_EQ(PopulationLookup({}, "1").Value(1990, 0, "1"), 0.0);

    EXPECT_EQ(CompletedAge(Ymd(1950, 3, 10), Ymd(2000, 3, 10)), 50);
    EXPECT_EQ(CompletedAge(Ymd(1950, 3, 10), Ymd(2000, 3, 9)), 49);
    EXPECT_EQ(CompletedAge(Ymd(1950, 3, 10), Ymd(2000, 2, 28)), 49);
}

TEST(ExpectedSurvival, EdererIICohortAveragesTheYearsEveryoneReaches)
{
    CAnalysisData data;
    data.sexCodeFirst = "1";
    data.populationTableName = "T";
    // q depends on age only: 0.01 * (age - 49) for ages 50.., males; females 0.
    std::vector<double> male(60, 0.0);
    for (int a = 50; a < 60; ++a) male[a] = 0.01 * (a - 49);
    data.populationTables = {Table(2000, male, std::vector<double>(60, 0.0))};
    // Longest follow-up 2.5 years: Y = 3.
    const CaseList cases = Build(data, {Person(1, Ymd(2000, 1, 1), Ymd(2002, 7, 2), "1", "1", Ymd(1950, 1, 1)),
                                        Person(2, Ymd(2000, 1, 1), Ymd(2000, 6, 1), "0", "2", Ymd(1950, 1, 1)),
                                        Person(3, Ymd(2000, 1, 1), Ymd(2001, 6, 1), "0", "1", Ymd(1951, 1, 1))});
    ComputeExpectedSurvivalCohort(data, cases, false);
    const CGroupResult& g = data.groupResults[0];
    ASSERT_EQ(g.expectedCumulative.size(), 3u);
    // Year 0: ages 50 (male), 50 (female, q 0), 49 (male, q 0).
    const double y0 = ((1 - 0.01) + 1.0 + 1.0) / 3;
    const double y1 = ((1 - 0.02) + (1 - 0.01)) / 2;  // cases 1 and 3
    const double y2 = 1 - 0.03;                      // case 1 only
    EXPECT_DOUBLE_EQ(g.expectedInterval[0], y0);
    EXPECT_DOUBLE_EQ(g.expectedInterval[1], y1);
    EXPECT_DOUBLE_EQ(g.expectedCumulative[2], y0 * y1 * y2);
}

TEST(ExpectedSurvival, InterpolationAndTheEndOfTheArray)
{
    CGroupResult g;
    g.expectedCumulative = {0.9, 0.8, 0.7};
    EXPECT_DOUBLE_EQ(ExpectedSurvivalAt(g, 1, 365.25), 0.8);
    EXPECT_DOUBLE_EQ(ExpectedSurvivalAt(g, 17, 30.4375), 0.85);         // 1.5 years
    EXPECT_DOUBLE_EQ(ExpectedSurvivalAt(g, 3 * 365.25, 1.0), 0.7);      // exactly 3.0 years
    EXPECT_DOUBLE_EQ(ExpectedSurvivalAt(g, 365.25 / 2, 1.0), 0.95);     // half of the first year
    EXPECT_DOUBLE_EQ(ExpectedSurvivalAt(g, 0, 1.0), 1.0);
    // At or beyond the end: the last value, for every unit.
    EXPECT_DOUBLE_EQ(ExpectedSurvivalAt(g, 10, 365.25), 0.7);
    EXPECT_DOUBLE_EQ(ExpectedSurvivalAt(g, 500, 7.0), 0.7);
    EXPECT_DOUBLE_EQ(ExpectedSurvivalAt(g, 100000, 1.0), 0.7);
    EXPECT_DOUBLE_EQ(ExpectedSurvivalAt(g, 3.5 * 365.25, 1.0), 0.7);
}

namespace {

// Hakulinen's sums walked literally for one group, with arrays large enough
// for any potential follow-up; the period version walks each case twice.
struct HakulinenWalk {
    std::vector<double> M = std::vector<double>(200), Dfull = M, Dpart = M, W = M;
};
void WalkHakulinen(const CAnalysisData& data, const CCaseRecord& c, double T, HakulinenWalk& s)
{
    if (T < 0) return;
    const int t = static_cast<int>(T * kDaysToYears);
    const int y0 = c.beginDate.year();
    const int a0 = CompletedAge(c.birthDate, c.beginDate);
    const PopulationLookup lookup(data.populationTables, data.sexCodeFirst);
    double cc = 1.0, P = 1.0;
    for (int i = 0; i <= t; ++i) {
        P = 1.0 - lookup.Value(y0 + i, a0 + i, c.sexText);
        s.M[i] += i == 0 ? 1.0 : cc;
        if (i < t) {
            s.Dfull[i] += (1 - P) * (i == 0 ? 1.0 : cc);
            cc *= P;
        }
    }
    const double h = std::sqrt(P);
    s.W[t] += h * (t == 0 ? 1.0 : cc);
    s.Dpart[t] += (1 - h) * (t == 0 ? 1.0 : cc);
}

std::vector<double> LiteralHakulinen(const CAnalysisData& data, const CaseList& cases, int group, bool period)
{
    const int years = 1 + static_cast<int>((data.lastEndDate.serial() - data.firstBeginDate.serial()) * kDaysToYears);
    HakulinenWalk begin, end;
    for (size_t k = 0; k < cases.records.size(); ++k) {
        const CCaseRecord& c = cases.records[k];
        if (!c.isValid || (group >= 0 && cases.groupIndex[k] != group)) continue;
        const bool censored = c.statusText != data.eventCode;
        if (!period) {
            WalkHakulinen(data, c,
                          censored ? c.observationDays
                                   : static_cast<int>(data.closingDate.serial() - c.beginDate.serial()),
                          end);
            continue;
        }
        const double b = c.beginDate.serial();
        WalkHakulinen(data, c,
                      c.endDate.serial() < data.periodBegin.serial() && censored
                          ? c.observationDays
                          : static_cast<int>(data.periodBegin.serial() - b) - 1,
                      begin);
        WalkHakulinen(data, c,
                      c.endDate.serial() <= data.periodEnd.serial() && censored
                          ? c.observationDays
                          : static_cast<int>(data.periodEnd.serial() - b),
                      end);
    }
    std::vector<double> result(years, 1.0);
    double P = 1.0;
    for (int j = 0; j < years; ++j) {
        if (!period) {
            if (end.M[j] == 0) break;
            P *= 1 - (end.Dfull[j] + end.Dpart[j]) / (end.M[j] - end.W[j] * 0.5);
        } else {
            const double exposed = (end.M[j] - begin.M[j]) - (end.W[j] - begin.W[j]) * 0.5;
            const double dead = (end.Dpart[j] - begin.Dpart[j]) + (end.Dfull[j] - begin.Dfull[j]);
            P *= 1 - (exposed > 0 ? dead / exposed : 0.0);
        }
        result[j] = P;
    }
    return result;
}

// The computations add case by case in case-list order, as the walk does,
// so every value is the same double, to the last bit.
void ExpectClose(const std::vector<double>& actual, const std::vector<double>& expected, const std::string& what)
{
    ASSERT_EQ(actual.size(), expected.size()) << what;
    for (size_t j = 0; j < expected.size(); ++j) EXPECT_EQ(actual[j], expected[j]) << what << " " << j;
}

}  // namespace

TEST(ExpectedSurvival, HakulinenMatchesTheLiteralSumsAndStaysInsideItsArrays)
{
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> q(0.0, 0.2);
    CAnalysisData data;
    data.sexCodeFirst = "1";
    data.eventCode = "1";
    data.useHakulinen = 1;
    for (int y = 1990; y <= 2010; y += 4) {
        std::vector<double> m(100), f(100);
        for (int a = 0; a < 100; ++a) m[a] = q(rng), f[a] = q(rng);
        data.populationTables.push_back(Table(y, m, f));
    }
    std::uniform_int_distribution<int> day(0, 4000), length(0, 3000), pick(0, 1), age(20, 90);
    const char* groups[] = {"a", "b"};
    std::vector<CCaseRecord> rows;
    for (int i = 1; i <= 300; ++i) {
        const DateValue begin = DateValue::FromSerial(Ymd(1990, 1, 1).serial() + day(rng));
        const DateValue end = DateValue::FromSerial(begin.serial() + length(rng));
        const DateValue birth = DateValue::FromSerial(begin.serial() - age(rng) * 365.25 - day(rng) % 365);
        rows.push_back(Person(i, begin, end, pick(rng) ? "1" : "0", pick(rng) ? "1" : "2", birth, groups[pick(rng)]));
    }
    const CaseList cases = Build(data, rows);
    data.closingDate = data.lastEndDate;
    ComputeExpectedSurvivalCohort(data, cases, false);
    ExpectClose(data.groupResults[0].expectedCumulative, LiteralHakulinen(data, cases, -1, false), "cohort");
    ComputeExpectedSurvivalCohort(data, cases, true);
    for (int g = 0; g < 2; ++g)
        ExpectClose(data.groupResults[g].expectedCumulative, LiteralHakulinen(data, cases, g, false), groups[g]);
    data.periodBegin = Ymd(1995, 1, 1);
    data.periodEnd = Ymd(1998, 12, 31);
    ComputeExpectedSurvivalPeriod(data, cases, true);
    for (int g = 0; g < 2; ++g)
        ExpectClose(data.groupResults[g].expectedCumulative, LiteralHakulinen(data, cases, g, true), groups[g]);

    // A closing date years after the last end date: potential follow-up runs
    // past the arrays, which are cut at their end instead of overrun; the
    // years inside them are those of the uncut walk.
    const size_t years = data.groupResults[0].expectedCumulative.size();
    data.closingDate = Ymd(2030, 1, 1);
    ComputeExpectedSurvivalCohort(data, cases, false);
    ExpectClose(data.groupResults[0].expectedCumulative, LiteralHakulinen(data, cases, -1, false), "cut");
    // The period version with a period ending after the last end date.
    data.periodBegin = Ymd(2000, 1, 1);
    data.periodEnd = Ymd(2025, 12, 31);
    ComputeExpectedSurvivalPeriod(data, cases, false);
    EXPECT_EQ(data.groupResults[0].expectedCumulative.size(), years);
}

TEST(ExpectedSurvival, RefusedWithoutAUsableTable)
{
    CAnalysisData data;
    EXPECT_EQ(RelativeSurvivalRefusal(data),
              "No general population life table was chosen: relative survival cannot be computed.");
    data.populationTableName = "Nowhere";
    const std::string noRows =
        "The general population life table \"Nowhere\" holds no usable rows: relative survival cannot be computed.";
    EXPECT_EQ(RelativeSurvivalRefusal(data), noRows);
    data.populationTables = {Table(2000, {}, {})};
    EXPECT_EQ(RelativeSurvivalRefusal(data), noRows);
    data.populationTables = {Table(2000, {0.1}, {0.1})};
    EXPECT_EQ(RelativeSurvivalRefusal(data), std::nullopt);
}

namespace {

// Ederer II walked literally for one group: per case and cut, the yearly
// survivals p(y0 + i, a0 + i, sex) for i = 0 .. complete years of the cut,
// summed in case-list order.  A cut of -1 days adds nothing.
struct LiteralEderer {
    std::vector<double> interval, cumulative;
};
LiteralEderer LiteralEdererII(const CAnalysisData& data, const CaseList& cases, int group, bool period)
{
    const int years = 1 + static_cast<int>(data.maxObservationDays * kDaysToYears);
    std::vector<double> countB(years), sumB(years), countE(years), sumE(years);
    const PopulationLookup lookup(data.populationTables, data.sexCodeFirst);
    const auto add = [&](const CCaseRecord& c, double T, std::vector<double>& count, std::vector<double>& sum) {
        if (T < 0) return;
        const int y0 = c.beginDate.year();
        const int a0 = CompletedAge(c.birthDate, c.beginDate);
        for (int i = 0; i <= static_cast<int>(T * kDaysToYears) && i < years; ++i) {
            count[i] += 1;
            sum[i] += 1.0 - lookup.Value(y0 + i, a0 + i, c.sexText);
        }
    };
    for (size_t k = 0; k < cases.records.size(); ++k) {
        const CCaseRecord& c = cases.records[k];
        if (!c.isValid || cases.groupIndex[k] != group) continue;
        if (!period) {
            add(c, c.observationDays, countE, sumE);
            continue;
        }
        const double b = c.beginDate.serial();
        add(c, c.endDate.serial() < data.periodBegin.serial() ? c.observationDays : data.periodBegin.serial() - b - 1,
            countB, sumB);
        add(c, c.endDate.serial() <= data.periodEnd.serial() ? c.observationDays : data.periodEnd.serial() - b,
            countE, sumE);
    }
    LiteralEderer result{std::vector<double>(years, 0.0), std::vector<double>(years, 1.0)};
    double P = 1.0;
    for (int j = 0; j < years; ++j) {
        const double n = countE[j] - countB[j];
        if (n < 1) continue;
        result.interval[j] = (sumE[j] - sumB[j]) / n;
        P *= result.interval[j];
        result.cumulative[j] = P;
    }
    return result;
}

}  // namespace

TEST(ExpectedSurvival, EdererIIMatchesTheLiteralSumsOnRandomCases)
{
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> q(0.0, 0.3);
    CAnalysisData data;
    data.sexCodeFirst = "m";
    data.eventCode = "1";
    // Tables 1992-2004 every third year, with rows of 70 to 90 ages: cases
    // begin before the first and live beyond the last, some older than the
    // rows reach.
    for (int y = 1992; y <= 2004; y += 3) {
        std::vector<double> m(70 + y % 20), f(85);
        for (double& v : m) v = q(rng);
        for (double& v : f) v = q(rng);
        data.populationTables.push_back(Table(y, m, f));
    }
    std::uniform_int_distribution<int> day(0, 6000), length(0, 5000), pick(0, 2), age(0, 100);
    const char* sexes[] = {"m", "f", "?"};
    const char* groups[] = {"a", "b", "c"};
    std::vector<CCaseRecord> rows;
    for (int i = 1; i <= 400; ++i) {
        const DateValue begin = DateValue::FromSerial(Ymd(1988, 1, 1).serial() + day(rng));
        const DateValue end = DateValue::FromSerial(begin.serial() + length(rng));
        const DateValue birth = DateValue::FromSerial(begin.serial() - age(rng) * 365.25 - day(rng) % 365);
        rows.push_back(Person(i, begin, end, pick(rng) ? "1" : "0", sexes[pick(rng)], birth, groups[pick(rng)]));
    }
    const CaseList cases = Build(data, rows);

    ComputeExpectedSurvivalCohort(data, cases, true);
    for (int g = 0; g < 3; ++g) {
        const LiteralEderer expected = LiteralEdererII(data, cases, g, false);
        ExpectClose(data.groupResults[g].expectedInterval, expected.interval, groups[g]);
        ExpectClose(data.groupResults[g].expectedCumulative, expected.cumulative, groups[g]);
    }
    data.periodBegin = Ymd(1996, 1, 1);
    data.periodEnd = Ymd(2000, 12, 31);
    ComputeExpectedSurvivalPeriod(data, cases, true);
    for (int g = 0; g < 3; ++g) {
        const LiteralEderer expected = LiteralEdererII(data, cases, g, true);
        ExpectClose(data.groupResults[g].expectedInterval, expected.interval, groups[g]);
        ExpectClose(data.groupResults[g].expectedCumulative, expected.cumulative, groups[g]);
    }
}

TEST(AnnualSurvivalGrid, AgreesWithTheLookUpEverywhere)
{
    const std::vector<CPopulationYearTable> tables = {Table(1990, {0.1, 0.2, 0.3}, {0.4}),
                                                      Table(1994, {0.5}, {}),
                                                      Table(1995, {0.6, 0.7}, {0.8, 0.9, 0.95, 0.99})};
    const AnnualSurvivalGrid grid(tables);
    const PopulationLookup lookup(tables, "1");
    for (int year = 1980; year <= 2000; ++year)
        for (int age = 0; age < 8; ++age)
            for (const char* sex : {"1", "2"})
                EXPECT_EQ(grid(AnnualSurvivalGrid::SexIndex(sex, "1"), year, age), 1.0 - lookup.Value(year, age, sex))
                    << year << " " << age << " " << sex;
    // Without tables nobody survives.
    EXPECT_EQ(AnnualSurvivalGrid({})(0, 2000, 50), 0.0);
}

TEST(ExpectedSurvival, CasesThatStartAlikeAddInCaseListOrder)
{
    // Few begin and birth dates, so that many cases share a start and the
    // order of the additions matters on rounding ties.
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 rng(seed);
        std::uniform_real_distribution<double> q(0.0, 0.25);
        CAnalysisData data;
        data.sexCodeFirst = "m";
        data.eventCode = "1";
        for (int y = 1990; y <= 2006; y += 4) {
            std::vector<double> m(100), f(100);
            for (int a = 0; a < 100; ++a) m[a] = q(rng), f[a] = q(rng);
            data.populationTables.push_back(Table(y, m, f));
        }
        std::uniform_int_distribution<int> pick(0, 2), length(0, 4000), which(0, 3);
        const DateValue begins[] = {Ymd(1991, 3, 1), Ymd(1991, 3, 1), Ymd(1994, 7, 15), Ymd(1998, 12, 31)};
        const DateValue births[] = {Ymd(1930, 5, 5), Ymd(1941, 12, 1), Ymd(1950, 1, 1), Ymd(1930, 5, 5)};
        const char* sexes[] = {"m", "f", "m"};
        const char* groups[] = {"a", "b", "c"};
        std::vector<CCaseRecord> rows;
        for (int i = 1; i <= 150; ++i) {
            const DateValue begin = begins[which(rng)];
            const DateValue end = DateValue::FromSerial(begin.serial() + length(rng));
            rows.push_back(Person(i, begin, end, pick(rng) ? "1" : "0", sexes[pick(rng)], births[which(rng)],
                                  groups[pick(rng)]));
        }
        const CaseList cases = Build(data, rows);
        data.closingDate = data.lastEndDate;
        data.periodBegin = Ymd(1996, 1, 1);
        data.periodEnd = Ymd(2001, 12, 31);
        const std::string run = "seed " + std::to_string(seed) + " group ";

        data.useHakulinen = 0;
        for (const bool period : {false, true}) {
            if (period)
                ComputeExpectedSurvivalPeriod(data, cases, true);
            else
                ComputeExpectedSurvivalCohort(data, cases, true);
            for (int g = 0; g < 3; ++g) {
                const LiteralEderer expected = LiteralEdererII(data, cases, g, period);
                ExpectClose(data.groupResults[g].expectedInterval, expected.interval, run + groups[g]);
                ExpectClose(data.groupResults[g].expectedCumulative, expected.cumulative, run + groups[g]);
            }
        }
        data.useHakulinen = 1;
        for (const bool period : {false, true}) {
            if (period)
                ComputeExpectedSurvivalPeriod(data, cases, true);
            else
                ComputeExpectedSurvivalCohort(data, cases, true);
            for (int g = 0; g < 3; ++g)
                ExpectClose(data.groupResults[g].expectedCumulative, LiteralHakulinen(data, cases, g, period),
                            run + groups[g]);
        }
    }
}
