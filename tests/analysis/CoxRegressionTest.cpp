#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <numeric>
#include <random>
#include <sstream>

#include "analysis/CoxAnalysis.h"
#include "stats/CoxConcordance.h"
#include "import/TextFileReader.h"
#include "stats/GroupComparison.h"
#include "support/CaseListFactory.h"

using namespace kalderon;
using namespace kalderon::testing;

namespace {

DataSet ReadCases(const std::string& path, bool header)
{
    TextImportSettings settings;
    settings.useBirth = true;
    settings.birthColumn = header ? 4 : 6;
    settings.firstLineNames = header;
    ReadResult<DataSet> read = ReadTextFile(std::string(KALDERON_SOURCE_DIR) + "/" + path, settings);
    EXPECT_TRUE(read.ok()) << ReaderFaultMessage(read.fault());
    return std::move(*read);
}

// The lines of tests/data/cox/reference.txt (tests/reference/cox-regression.R)
// of one model, keyed by their kind and first word.
struct Reference {
    std::map<std::string, std::vector<double>> values;
    // Per curve: the day, then the survival, the standard error of the
    // cumulative hazard and the limits.
    std::map<std::string, std::vector<std::pair<int, std::vector<double>>>> curves;

    explicit Reference(const std::string& model)
    {
        std::ifstream in(std::string(KALDERON_SOURCE_DIR) + "/tests/data/cox/reference.txt");
        for (std::string line; std::getline(in, line);) {
            std::istringstream words(line);
            std::string name, kind, key, word;
            words >> name >> kind;
            if (name != model) continue;
            const bool named = kind == "coef" || kind == "test" || kind == "zph" || kind == "curve";
            if (named) words >> key;
            std::vector<double> numbers;
            int day = 0;
            if (kind == "curve") words >> day;
            while (words >> word) numbers.push_back(word == "NA" ? std::nan("") : std::stod(word));
            if (kind == "curve")
                curves[key].emplace_back(day, std::move(numbers));
            else
                values[named ? kind + " " + key : kind] = std::move(numbers);
        }
    }
    const std::vector<double>& operator()(const std::string& key) const { return values.at(key); }
};

void ExpectRelative(double actual, double expected, double tolerance, const std::string& what)
{
    if (std::isnan(expected)) {
        EXPECT_TRUE(std::isnan(actual)) << what;
        return;
    }
    EXPECT_LE(std::fabs(actual - expected), tolerance * std::fabs(expected)) << what << ": " << actual << " vs " << expected;
}

void ExpectTest(const CoxModelTest& test, const std::vector<double>& r, const std::string& what)
{
    ExpectRelative(test.chiSquare, r[0], 1e-7, what);
    EXPECT_EQ(test.df, static_cast<int>(r[1])) << what;
    ExpectRelative(test.p, r[2], 1e-6, what + " p");
}

// The whole result set of a model against R's.
void ExpectModel(const DataSet& data, const CoxModelChoice& choice, const std::string& model)
{
    const Reference r(model);
    CoxAnalysis a;
    ASSERT_EQ(RunCoxAnalysis(data, choice, ".95", a), std::nullopt) << model;
    const CoxModel& m = a.model;
    size_t coefs = 0;
    for (const CoxCoefficientRow& row : m.rows) {
        const std::vector<double>& ref = r("coef " + row.name);
        ExpectRelative(row.collinear ? std::nan("") : row.coef, ref[0], 1e-7, model + " " + row.name);
        ExpectRelative(row.collinear ? std::nan("") : row.standardError, ref[1], 1e-7, model + " SE " + row.name);
        ++coefs;
    }
    EXPECT_EQ(coefs, std::count_if(r.values.begin(), r.values.end(), [](const auto& v) { return v.first.starts_with("coef "); }));
    ExpectRelative(m.fit.loglikNull, r("loglik")[0], 1e-10, model + " null log likelihood");
    ExpectRelative(m.fit.loglik, r("loglik")[1], 1e-10, model + " log likelihood");
    ExpectTest(m.likelihoodRatio, r("test lr"), model + " LR");
    ExpectTest(m.wald, r("test wald"), model + " Wald");
    ExpectTest(m.score, r("test score"), model + " score");
    ExpectRelative(m.concordance.concordance, r("concordance")[0], 1e-7, model + " C");
    ExpectRelative(m.concordance.standardError, r("concordance")[1], 1e-7, model + " SE of C");
    EXPECT_EQ(static_cast<double>(m.cases), r("count")[0]);
    EXPECT_EQ(static_cast<double>(m.events), r("count")[1]);
    EXPECT_EQ(m.fit.iterations, static_cast<int>(r("count")[2]));
    for (const CoxZphRow& zph : m.proportionalHazards) {
        const std::vector<double>& ref = r("zph " + (zph.name.empty() ? std::string("GLOBAL") : zph.name));
        ExpectRelative(zph.chiSquare, ref[0], 1e-6, model + " zph " + zph.name);
        EXPECT_EQ(zph.df, static_cast<int>(ref[1]));
        ExpectRelative(zph.p, ref[2], 1e-6, model + " zph p " + zph.name);
    }
    EXPECT_EQ(m.proportionalHazards.size(), std::count_if(r.values.begin(), r.values.end(), [](const auto& v) { return v.first.starts_with("zph "); }));
    ASSERT_EQ(a.curves.size(), r.curves.size()) << model;
    for (const CoxCurve& curve : a.curves) {
        std::string key = curve.name;
        std::replace(key.begin(), key.end(), ' ', '_');
        const auto& ref = r.curves.at(key);
        ASSERT_EQ(curve.points.size(), ref.size()) << model << " " << key;
        for (size_t i = 0; i < ref.size(); ++i) {
            const CoxCurvePoint& point = curve.points[i];
            EXPECT_EQ(point.day, ref[i].first);
            const std::string at = model + " curve " + key + " day " + std::to_string(point.day);
            ExpectRelative(point.survival, ref[i].second[0], 1e-7, at);
            ExpectRelative(point.standardError, ref[i].second[1], 1e-7, at + " SE");
            ExpectRelative(point.lower, ref[i].second[2], 1e-7, at + " lower");
            ExpectRelative(point.upper, ref[i].second[3], 1e-7, at + " upper");
        }
    }
}

}  // namespace

TEST(CoxRegressionTest, ExampleDataMatchesR)
{
    const DataSet data = ReadCases("data/examples/rdata.txt", false);
    CoxModelChoice choice{{"age", "5", "4"}, {"5"}, {}, {}, {"1"}, CoxTies::kEfron, "4", {}};
    ExpectModel(data, choice, "rdata-efron");
    choice.ties = CoxTies::kBreslow;
    ExpectModel(data, choice, "rdata-breslow");
    choice.ties = CoxTies::kEfron;
    choice.curveValues = {"age=60", "5=2"};
    ExpectModel(data, choice, "rdata-values");
}

TEST(CoxRegressionTest, TiesRareLevelStrataAndCollinearPairMatchR)
{
    const DataSet data = ReadCases("tests/data/cox/ties.txt", true);
    CoxModelChoice choice{{"stage", "grade", "marker", "marker2", "age"}, {}, {}, {"center"}, {"1"}, CoxTies::kEfron, "stage", {}};
    ExpectModel(data, choice, "ties-efron");
    choice.ties = CoxTies::kBreslow;
    ExpectModel(data, choice, "ties-breslow");
    ExpectModel(data, {{"stage", "grade"}, {}, {"stage=II"}, {}, {"1"}, CoxTies::kEfron, "stage", {}}, "ties-reference");
}

namespace {

// Cases in two arms with distinct observation days; `events` says whether
// a case of an arm may end in the event.
DataSet TwoArms(bool eventsInA, bool eventsInB)
{
    std::mt19937 random(11);
    std::vector<int> days(200);
    std::iota(days.begin(), days.end(), 1);
    std::shuffle(days.begin(), days.end(), random);
    DataSet data;
    data.columns.AddColumn("arm");
    std::vector<CCaseRecord> rows;
    for (int i = 0; i < 120; ++i) {
        const bool b = i % 2 == 1;
        const bool died = (b ? eventsInB : eventsInA) && random() % 3 != 0;
        const DateValue begin = Ymd(2000, 1, 1);
        rows.push_back(MakeCase(i + 1, begin, DateValue::FromSerial(begin.serial() + days[i]),
                                died ? "1" : "0", b ? "B" : "A"));
        const std::string_view arm = b ? "B" : "A";
        data.columns.AppendRow(std::span(&arm, 1));
    }
    data.columns.Finish();
    data.cases = BuildCaseList(data.analysis, rows);
    data.hasGroupColumn = true;
    return data;
}

}  // namespace

TEST(CoxRegressionTest, ScoreTestOfOneBinaryCovariateWithoutTiesIsTheLogRankTest)
{
    const DataSet data = TwoArms(true, true);
    CoxAnalysis a;
    ASSERT_EQ(RunCoxAnalysis(data, {{"arm"}, {}, {}, {}, {"1"}, CoxTies::kEfron, "", {}}, ".95", a), std::nullopt);
    const GroupComparison compared = CompareGroups(data.analysis, data.cases, kLifeTable, true);
    EXPECT_NEAR(a.model.score.chiSquare, compared.tests[0].chiSquare, 1e-10 * compared.tests[0].chiSquare);
    EXPECT_EQ(a.model.rows[0].name, "arm=B");
    EXPECT_FALSE(a.model.rows[0].infinite);
}

TEST(CoxRegressionTest, ArmWithoutEventsRunsAway)
{
    CoxAnalysis a;
    ASSERT_EQ(RunCoxAnalysis(TwoArms(true, false), {{"arm"}, {}, {}, {}, {"1"}, CoxTies::kEfron, "", {}}, ".95", a), std::nullopt);
    EXPECT_TRUE(a.model.rows[0].infinite);
    EXPECT_LT(a.model.rows[0].coef, -10.0);
}

// Harrell's C and its jackknife standard error as their definition reads,
// pair by pair, against the counting over ranks, on tied times and risks in
// two strata.
TEST(CoxRegressionTest, ConcordanceAsCountedPairByPair)
{
    std::mt19937 random(5);
    CoxSampleBuilder builder({{"x", 0, 1, false}}, {"x"}, {"a", "b"});
    for (int i = 0; i < 300; ++i) {
        const double x = static_cast<double>(random() % 7);
        builder.Add(static_cast<std::int32_t>(random() % 2), static_cast<std::int32_t>(random() % 40), random() % 3 != 0,
                    std::span(&x, 1));
    }
    const CoxSample s = builder.Finish();
    const std::vector<double> lp(s.x.begin(), s.x.end());
    double c = 0, d = 0, t = 0;
    std::vector<double> shareC(s.size()), shareD(s.size()), shareT(s.size());
    for (size_t i = 0; i < s.size(); ++i)
        for (size_t j = 0; j < s.size(); ++j) {
            const bool sameStratum = (i < s.strataEnds[0]) == (j < s.strataEnds[0]);
            const bool after = s.time[j] > s.time[i] || (s.time[j] == s.time[i] && !s.event[j]);
            if (i == j || !sameStratum || !s.event[i] || !after) continue;
            double& counted = lp[i] > lp[j] ? c : lp[i] < lp[j] ? d : t;
            auto& share = lp[i] > lp[j] ? shareC : lp[i] < lp[j] ? shareD : shareT;
            counted += 1, share[i] += 1, share[j] += 1;
        }
    const double pairs = c + d + t, somers = (c - d) / pairs;
    double variance = 0;
    for (size_t k = 0; k < s.size(); ++k) {
        const double dfbeta = (shareC[k] - shareD[k]) / pairs - somers / pairs * (shareC[k] + shareD[k] + shareT[k]);
        variance += dfbeta * dfbeta;
    }
    const CoxConcordance fast = ConcordanceOf(s, lp);
    EXPECT_EQ(fast.concordant, c);
    EXPECT_EQ(fast.discordant, d);
    EXPECT_EQ(fast.tiedRisk, t);
    EXPECT_NEAR(fast.concordance, (somers + 1) / 2, 1e-14);
    EXPECT_NEAR(fast.standardError, std::sqrt(variance / 4), 1e-14);
}
