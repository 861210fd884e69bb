#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "analysis/ParameterChoices.h"
#include "import/TextFileReader.h"
#include "stats/GroupComparison.h"
#include "stats/ProductLimit.h"
#include "stats/QuadraticForm.h"
#include "stats/TimeUnit.h"
#include "support/CaseListFactory.h"

using namespace kalderon;
using namespace kalderon::testing;

namespace {

// Cases with observation times in days: begin 01.01.2000, the given
// length, status "1" (died) or "0", and a group.
struct Timed {
    int days;
    bool died;
    const char* group = "A";
};

std::vector<CCaseRecord> TimedCases(const std::vector<Timed>& rows)
{
    std::vector<CCaseRecord> cases;
    int number = 1;
    for (const Timed& r : rows) {
        const DateValue begin = Ymd(2000, 1, 1);
        cases.push_back(MakeCase(number++, begin, DateValue::FromSerial(begin.serial() + r.days), r.died ? "1" : "0",
                                 r.group));
    }
    return cases;
}

struct Compared {
    CAnalysisData data;
    CaseList cases;
    GroupComparison comparison;
};

Compared CompareTimed(const std::vector<Timed>& rows, bool stratified = true)
{
    Compared c;
    c.cases = BuildCaseList(c.data, TimedCases(rows));
    ApplyParameterChoices(c.data, ParameterChoices{"1", kUnitDay, ".95"});
    EXPECT_EQ(ComputeProductLimit(c.data, c.cases, stratified), std::nullopt);
    c.comparison = CompareGroups(c.data, c.cases, kProductLimit, stratified);
    return c;
}

void ExpectGroups(const GroupTest& test, const std::vector<double>& observed, const std::vector<double>& expected)
{
    ASSERT_EQ(test.groups.size(), observed.size());
    for (size_t g = 0; g < observed.size(); ++g) {
        EXPECT_NEAR(test.groups[g].observed, observed[g], 1e-14) << g;
        EXPECT_NEAR(test.groups[g].expected, expected[g], 1e-14) << g;
    }
}

// The tests as their definition reads: at every distinct event time the
// cases at risk of every group counted anew over all cases.
GroupTest LiteralGroupTest(const std::vector<CCaseRecord>& cases, const std::vector<std::string>& codes, double rho)
{
    const size_t k = codes.size();
    auto groupOf = [&](const CCaseRecord& c) { return size_t(std::find(codes.begin(), codes.end(), c.groupText) - codes.begin()); };
    std::set<int> eventTimes;
    for (const CCaseRecord& c : cases)
        if (c.isValid && c.statusText == "1") eventTimes.insert(c.observationDays);
    GroupTest test;
    test.groups.resize(k);
    test.variance.assign(k * k, 0.0);
    double pooled = 1.0;
    for (const int t : eventTimes) {
        std::vector<double> risk(k, 0.0), deaths(k, 0.0);
        double n = 0, d = 0;
        for (const CCaseRecord& c : cases) {
            if (!c.isValid || c.observationDays < t) continue;
            risk[groupOf(c)] += 1;
            n += 1;
            if (c.observationDays == t && c.statusText == "1") {
                deaths[groupOf(c)] += 1;
                d += 1;
            }
        }
        const double w = std::pow(pooled, rho);
        for (size_t g = 0; g < k; ++g) {
            test.groups[g].observed += w * deaths[g];
            test.groups[g].expected += w * d * risk[g] / n;
            for (size_t h = 0; h < k && n > 1; ++h)
                test.variance[g * k + h] += w * w * d * (n - d) / (n * (n - 1)) * risk[g] * ((g == h) - risk[h] / n);
        }
        pooled *= (n - d) / n;
    }
    return test;
}

TEST(GroupComparisonTest, LogRankAndPetoPetoOfSmallCasesByHand)
{
    // Ties: three deaths on day 1 among 5 at risk (2 of group A), then one
    // of B on day 2 among 2.  E_A = 3*3/5 + 1/2, V_AA = 3*2/20 * 3*2/5 + 1/4.
    Compared c = CompareTimed({{1, true, "A"}, {1, true, "A"}, {3, false, "A"}, {1, true, "B"}, {2, true, "B"}});
    ASSERT_EQ(c.comparison.tests.size(), 2u);
    const GroupTest& logRank = c.comparison.tests[0];
    ExpectGroups(logRank, {2, 2}, {2.3, 1.7});
    EXPECT_EQ(logRank.groups[0].code, "A");
    EXPECT_EQ(logRank.groups[1].cases, 2);
    EXPECT_NEAR(logRank.variance[0], 0.61, 1e-15);
    EXPECT_NEAR(logRank.chiSquare, 0.09 / 0.61, 1e-15);
    EXPECT_EQ(logRank.degreesOfFreedom, 1);
    EXPECT_NEAR(logRank.pValue, std::erfc(std::sqrt(0.09 / 0.61 / 2)), 1e-15);
    // Peto-Peto: day 2 weighs 2/5, the pooled survival after day 1.
    const GroupTest& petoPeto = c.comparison.tests[1];
    ExpectGroups(petoPeto, {2, 1.4}, {2.0, 1.4});
    EXPECT_NEAR(petoPeto.variance[0], 0.36 + 0.16 * 0.25, 1e-15);
    EXPECT_NEAR(petoPeto.chiSquare, 0.0, 1e-15);
    EXPECT_NEAR(petoPeto.pValue, 1.0, 1e-15);

    // A group with one case (C) and one without deaths (D, censored on day
    // 1 among the deaths and on day 4): 8 at risk on day 1, 4 on day 2.
    c = CompareTimed({{1, true, "A"}, {1, true, "A"}, {3, false, "A"}, {1, true, "B"}, {2, true, "B"},
                      {2, true, "C"}, {1, false, "D"}, {4, false, "D"}});
    ExpectGroups(c.comparison.tests[0], {2, 2, 1, 0}, {1.625, 1.25, 0.875, 1.25});
    EXPECT_EQ(c.comparison.tests[0].degreesOfFreedom, 3);
    EXPECT_EQ(c.comparison.tests[0].groups[2].cases, 1);
    EXPECT_NEAR(c.comparison.tests[0].chiSquare, 2.5950840262418216, 1e-14);  // as R's survdiff gives
    EXPECT_NEAR(c.comparison.tests[0].pValue, 0.45835203245188, 1e-14);
    ExpectGroups(c.comparison.tests[1], {2, 1.625, 0.625, 0}, {1.4375, 1.0625, 0.6875, 1.0625});
    EXPECT_NEAR(c.comparison.tests[1].chiSquare, 2.522914911559647, 1e-14);
}

TEST(GroupComparisonTest, NoTestWithoutEventsOrWithoutGroups)
{
    // All censored: no group has expected events.
    Compared c = CompareTimed({{5, false, "A"}, {7, false, "B"}, {9, false, "B"}});
    for (const GroupTest& test : c.comparison.tests) {
        EXPECT_EQ(test.degreesOfFreedom, 0);
        EXPECT_FALSE(test.hasPValue());
        EXPECT_EQ(test.chiSquare, 0.0);
        ExpectGroups(test, {0, 0}, {0, 0});
    }
    // Only group B has events expected (A ended before the death).
    c = CompareTimed({{1, false, "A"}, {3, true, "B"}, {4, false, "B"}});
    EXPECT_FALSE(c.comparison.tests[0].hasPValue());
    // Both cases die on the same day: expected events but no variance; the
    // generalised inverse gives no degree of freedom instead of failing.
    c = CompareTimed({{1, true, "A"}, {1, true, "B"}});
    ExpectGroups(c.comparison.tests[0], {1, 1}, {1, 1});
    EXPECT_FALSE(c.comparison.tests[0].hasPValue());
    // Not stratified: one curve, no tests, its quartiles named for all cases.
    c = CompareTimed({{1, true, "A"}, {2, true, "B"}}, false);
    EXPECT_TRUE(c.comparison.tests.empty());
    EXPECT_FALSE(c.comparison.severalGroups);
    ASSERT_EQ(c.comparison.quartiles.size(), 1u);
    EXPECT_EQ(c.comparison.quartiles[0].quartiles[1].time, 1.5);
    // Life tables have tests but no quartiles; other analyses have nothing.
    EXPECT_TRUE(CompareGroups(c.data, c.cases, kLifeTable, true).quartiles.empty());
    EXPECT_EQ(CompareGroups(c.data, c.cases, kLifeTable, true).tests.size(), 2u);
    EXPECT_TRUE(CompareGroups(c.data, c.cases, kTrend, true).tests.empty());
}

TEST(GroupComparisonTest, GeneralisedInverseOfASingularVariance)
{
    // Rank 1: b' G b on the spanned direction (1, 2, -1) of length^2 6.
    const std::vector<double> singular = {1, 2, -1, 2, 4, -2, -1, -2, 1};
    QuadraticForm form = GeneralisedQuadraticForm(singular, {2, 4, -2});
    EXPECT_EQ(form.rank, 1);
    EXPECT_NEAR(form.value, 4.0, 1e-14);  // b = 2 v, A = v v'
    // Regular: b' A^-1 b.
    form = GeneralisedQuadraticForm({4, 1, 1, 3}, {1, 2});
    EXPECT_EQ(form.rank, 2);
    EXPECT_NEAR(form.value, (3 * 1 - 2 * 2 + 4 * 4) / 11.0, 1e-15);  // adjugate / det 11
    form = GeneralisedQuadraticForm({0, 0, 0, 0}, {0, 0});
    EXPECT_EQ(form.rank, 0);
    EXPECT_EQ(form.value, 0.0);
}

TEST(GroupComparisonTest, SameAsTheLiteralTestOnRandomCases)
{
    std::mt19937 rng(21);
    for (const int maxDays : {40, 3000, 2'000'000}) {  // the last spreads too far for a count per day
        SCOPED_TRACE(maxDays);
        std::vector<CCaseRecord> rows = RandomCases(rng, 1500, 4000, maxDays);
        const char* const codes[] = {"a", "b", "c", "d"};
        for (CCaseRecord& r : rows) r.groupText = codes[rng() % 4];
        CAnalysisData data;
        const CaseList cases = BuildCaseList(data, rows);
        const PooledTimes times(cases, "1", true, 4);
        for (const double rho : {0.0, 1.0}) {
            const GroupTest fast = ComputeGroupTest(times, {"a", "b", "c", "d"}, rho);
            const GroupTest literal = LiteralGroupTest(rows, {"a", "b", "c", "d"}, rho);
            for (size_t g = 0; g < 4; ++g) {
                EXPECT_NEAR(fast.groups[g].observed, literal.groups[g].observed, 1e-9);
                EXPECT_NEAR(fast.groups[g].expected, literal.groups[g].expected, 1e-9);
                for (size_t h = 0; h < 4; ++h)
                    EXPECT_NEAR(fast.variance[g * 4 + h], literal.variance[g * 4 + h], 1e-9);
            }
            EXPECT_EQ(fast.degreesOfFreedom, 3);
        }
    }
}

TEST(GroupComparisonTest, QuartilesByTheRulesOfAStepCurve)
{
    using Expected = std::array<std::optional<double>, 9>;  // time, lower, upper of 25 %, 50 %, 75 %
    const auto none = std::nullopt;
    auto check = [](const std::vector<Timed>& rows, const Expected& expected) {
        const Compared c = CompareTimed(rows);
        ASSERT_EQ(c.comparison.quartiles.size(), 1u);
        const auto& q = c.comparison.quartiles[0].quartiles;
        for (size_t i = 0; i < 3; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(q[i].time, expected[3 * i]);
            EXPECT_EQ(q[i].lower, expected[3 * i + 1]);
            EXPECT_EQ(q[i].upper, expected[3 * i + 2]);
        }
    };
    // S = .75 on [1, 2) and .5 from day 2 to the last observation on day 4:
    // flat steps at the probabilities give their middles.  The lower limit
    // is .326 on day 1 and .010 on day 2; the upper never leaves .99.
    check({{1, true}, {2, true}, {3, false}, {4, false}}, {1.5, 1, none, 3, 1, none, none, 2, none});
    check({{1, true}, {2, true}, {3, true}, {4, true}}, {1.5, 1, 3, 2.5, 1, none, 3.5, 2, none});
    // Twenty deaths: the products hit .75, .5 and .25 only up to rounding.
    std::vector<Timed> twenty;
    for (int d = 1; d <= 20; ++d) twenty.push_back({d, true});
    check(twenty, {5.5, 3, 10, 10.5, 6, 15, 15.5, 11, 18});
    // The last death leaves nobody at risk: the curve reaches 0 there, its
    // limits do not exist.
    check({{5, true}}, {5, none, none, 5, none, none, 5, none, none});
    check({{5, true}, {6, false}}, {5, 5, none, 5.5, 5, none, none, 5, none});
    check({{3, true}, {3, false}}, {3, 3, none, 3, 3, none, none, 3, none});
    check({{0, true}, {0, false}, {5, true}}, {0, 0, none, 5, 0, none, 5, 0, none});
    check({{2, false}, {2, false}}, {none, none, none, none, none, none, none, none, none});
}

TEST(GroupComparisonTest, QuartilesInTheUnitFromTheObservedCurve)
{
    Compared c = CompareTimed({{365, true, "A"}, {730, true, "A"}, {1000, false, "A"}, {1461, false, "A"}});
    ApplyParameterChoices(c.data, ParameterChoices{"1", kUnitYear, ".95"});
    EXPECT_EQ(ComputeProductLimit(c.data, c.cases, true), std::nullopt);
    // Relative survival divides the stored limits by the expected survival;
    // the quartiles keep to the observed curve's band.
    for (CTimePointResult& row : c.data.groupResults[0].timePoints) {
        row.standardError *= 3;
        row.lowerLimit /= 0.5;
        row.upperLimit = 0.0;
    }
    const auto q = CompareGroups(c.data, c.cases, kProductLimit, true).quartiles[0].quartiles;
    EXPECT_EQ(q[0].time, 547.5 / 365.25);
    EXPECT_EQ(q[0].lower, 365 / 365.25);
    EXPECT_EQ(q[1].time, (730 + 1461) / 2.0 / 365.25);
    EXPECT_FALSE(q[1].upper);
    EXPECT_EQ(q[2].lower, 730 / 365.25);
}

// Reference values of R's survival package (tests/reference/compare-groups.R).
struct Reference {
    std::map<std::string, std::map<std::string, std::string>> values;  // key -> field -> value

    explicit Reference(const std::string& path)
    {
        std::ifstream in(path);
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream words(line);
            std::vector<std::string> w;
            for (std::string word; words >> word;) w.push_back(word);
            if (w.empty()) continue;
            // test EXAMPLE TEST fields...; group EXAMPLE TEST CODE fields...;
            // quartile EXAMPLE CODE SHARE fields...; chisquare DF X p P
            const size_t keyWords = w[0] == "test" ? 3 : w[0] == "chisquare" ? 3 : 4;
            std::string key;
            for (size_t i = 0; i < keyWords; ++i) key += w[i] + " ";
            for (size_t i = keyWords; i + 1 < w.size(); i += 2) values[key][w[i]] = w[i + 1];
        }
    }

    const std::map<std::string, std::string>& at(const std::string& key) const
    {
        static const std::map<std::string, std::string> empty;
        const auto found = values.find(key);
        EXPECT_NE(found, values.end()) << key;
        return found == values.end() ? empty : found->second;
    }
};

void ExpectRelative(double actual, const std::string& expected, double tolerance, const std::string& what)
{
    const double value = std::stod(expected);
    EXPECT_LE(std::fabs(actual - value), tolerance * std::fabs(value)) << what << ": " << actual << " vs " << expected;
}

void ExpectTime(const std::optional<double>& actual, const std::string& expected, const std::string& what)
{
    if (expected == "NA")
        EXPECT_FALSE(actual) << what;
    else
        EXPECT_EQ(actual, std::optional<double>(std::stod(expected))) << what;
}

TEST(GroupComparisonTest, AsRSurvivalOnTheShippedExamples)
{
    const Reference reference(std::string(KALDERON_SOURCE_DIR) + "/tests/data/compare/reference.txt");
    for (const std::string example : {"tiny", "rdata", "colrec"}) {
        SCOPED_TRACE(example);
        DataSet dataSet;
        TextImportSettings settings;
        settings.useGroup = true;
        ReadResult<DataSet> read =
            ReadTextFile(std::string(KALDERON_SOURCE_DIR) + "/data/examples/" + example + ".txt", settings);
        ASSERT_TRUE(read.ok()) << ReaderFaultMessage(read.fault());
        dataSet = std::move(*read);
        ApplyParameterChoices(dataSet.analysis, ParameterChoices{"1", kUnitDay, ".95"});
        EXPECT_EQ(ComputeProductLimit(dataSet.analysis, dataSet.cases, true), std::nullopt);
        const GroupComparison comparison = CompareGroups(dataSet.analysis, dataSet.cases, kProductLimit, true);

        ASSERT_EQ(comparison.tests.size(), 2u);
        for (size_t t = 0; t < 2; ++t) {
            const GroupTest& test = comparison.tests[t];
            const std::string name = t == 0 ? "logrank" : "petopeto";
            const auto& expected = reference.at("test " + example + " " + name + " ");
            ExpectRelative(test.chiSquare, expected.at("chisq"), 1e-8, name + " chi-square");
            EXPECT_EQ(test.degreesOfFreedom, std::stoi(expected.at("df")));
            ExpectRelative(test.pValue, expected.at("p"), 1e-8, name + " p");
            for (const GroupTestRow& row : test.groups) {
                const auto& group = reference.at("group " + example + " " + name + " " + row.code + " ");
                EXPECT_EQ(row.cases, std::stoi(group.at("n"))) << row.code;
                ExpectRelative(row.observed, group.at("observed"), 1e-9, name + " observed " + row.code);
                ExpectRelative(row.expected, group.at("expected"), 1e-9, name + " expected " + row.code);
            }
        }
        ASSERT_EQ(comparison.quartiles.size(), dataSet.analysis.groupResults.size());
        for (const GroupQuartiles& group : comparison.quartiles) {
            for (size_t q = 0; q < 3; ++q) {
                const std::string share = std::to_string(25 * (q + 1));
                const auto& expected = reference.at("quartile " + example + " " + group.code + " " + share + " ");
                const std::string what = group.code + " " + share;
                ExpectTime(group.quartiles[q].time, expected.at("time"), what);
                ExpectTime(group.quartiles[q].lower, expected.at("lower"), what + " lower");
                ExpectTime(group.quartiles[q].upper, expected.at("upper"), what + " upper");
            }
        }
    }
}

}  // namespace
