#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "analysis/CompetingCodes.h"
#include "analysis/ParameterChoices.h"
#include "import/TextFileReader.h"
#include "stats/CumulativeIncidence.h"
#include "stats/ProductLimit.h"
#include "stats/TimeUnit.h"
#include "support/CaseListFactory.h"

using namespace kalderon;
using namespace kalderon::testing;

namespace {

DataSet ReadCases(const std::string& name, const std::vector<std::string>& competing)
{
    TextImportSettings settings;
    settings.useGroup = true;
    ReadResult<DataSet> read = ReadTextFile(std::string(KALDERON_SOURCE_DIR) + "/tests/data/cuminc/" + name, settings);
    EXPECT_TRUE(read.ok()) << ReaderFaultMessage(read.fault());
    DataSet dataSet = std::move(*read);
    ApplyParameterChoices(dataSet.analysis, ParameterChoices{"1", kUnitDay, ".95"});
    EXPECT_EQ(SetCompetingCodes(dataSet.analysis, {"1"}, competing), std::nullopt);
    dataSet.analysis.periodTechnique = kProductLimitTechnique;
    return dataSet;
}

// The R values of one curve, keyed by file, group and cause.
struct Curve {
    std::vector<double> days, estimates, variances;
};

struct GrayReference {
    double statistic = 0.0, p = 0.0;
    int df = 0;
};

// Reference values of R's cmprsk (tests/reference/cumulative-incidence.R).
struct Reference {
    std::map<std::string, Curve> curves;
    std::map<std::string, GrayReference> tests;

    Reference()
    {
        std::ifstream in(std::string(KALDERON_SOURCE_DIR) + "/tests/data/cuminc/reference.txt");
        std::string kind, file, a, b;
        for (std::string line; std::getline(in, line);) {
            std::istringstream words(line);
            words >> kind >> file >> a;
            if (kind == "curve") {
                double day, estimate, variance;
                words >> b >> day >> estimate >> variance;
                Curve& curve = curves[file + " " + a + " " + b];
                curve.days.push_back(day), curve.estimates.push_back(estimate), curve.variances.push_back(variance);
            } else {
                GrayReference& test = tests[file + " " + a];
                words >> test.statistic >> test.df >> test.p;
            }
        }
    }
};

// The incidence curves at event days of cases of one group, given by their
// days of follow-up and status; event "1", competing event "2".
std::vector<CIncidenceCurve> CurvesOf(const std::vector<std::pair<int, const char*>>& daysAndStatus)
{
    std::vector<CCaseRecord> rows;
    for (const auto& [days, status] : daysAndStatus)
        rows.push_back(MakeCase(static_cast<int>(rows.size()) + 1, DateValue::FromSerial(36526.0),
                                DateValue::FromSerial(36526.0 + days), status, "a"));
    CAnalysisData data;
    const CaseList cases = BuildCaseList(data, rows);
    data.ciLevelText = ".95";
    data.periodTechnique = kProductLimitTechnique;
    EXPECT_EQ(SetCompetingCodes(data, {"1"}, {"2"}), std::nullopt);
    EXPECT_EQ(ComputeCumulativeIncidence(data, cases, false), std::nullopt);
    return data.groupResults[0].incidence;
}

}  // namespace

TEST(CumulativeIncidenceTest, AsRCmprskOnTheExampleWithAThirdCodeAndOnTiedCases)
{
    const Reference reference;
    for (const auto& [file, competing] : std::vector<std::pair<std::string, std::vector<std::string>>>{
             {"rdata3.txt", {"2"}}, {"ties.txt", {"2", "3"}}}) {
        SCOPED_TRACE(file);
        DataSet dataSet = ReadCases(file, competing);
        CAnalysisData& data = dataSet.analysis;
        ASSERT_EQ(ComputeCumulativeIncidence(data, dataSet.cases, true), std::nullopt);
        size_t curvesCompared = 0;
        for (const CGroupResult& group : data.groupResults) {
            for (const CIncidenceCurve& curve : group.incidence) {
                const std::string key = file + " " + group.info.code + " " + CauseCodes(data, curve.cause);
                const auto found = reference.curves.find(key);
                const Curve& expected = found == reference.curves.end() ? Curve{} : found->second;
                ASSERT_EQ(curve.rows.size(), expected.days.size()) << key;
                curvesCompared += !curve.rows.empty();
                for (size_t i = 0; i < curve.rows.size(); ++i) {
                    const CIncidenceRow& row = curve.rows[i];
                    const double se = std::sqrt(expected.variances[i]);
                    EXPECT_EQ(row.time, expected.days[i]) << key;
                    EXPECT_NEAR(row.incidence, expected.estimates[i], 1e-9) << key << " " << row.time;
                    EXPECT_NEAR(row.standardError, se, 1e-9) << key << " " << row.time;
                    EXPECT_NEAR(row.lowerLimit, std::max(0.0, expected.estimates[i] - 1.95996 * se), 1e-9);
                    EXPECT_NEAR(row.upperLimit, std::min(1.0, expected.estimates[i] + 1.95996 * se), 1e-9);
                }
            }
        }
        const auto ofFile = std::count_if(reference.curves.begin(), reference.curves.end(),
                                          [&](const auto& c) { return c.first.rfind(file, 0) == 0; });
        EXPECT_EQ(curvesCompared, static_cast<size_t>(ofFile));
        ASSERT_EQ(data.grayTests.size(), competing.size() + 1);
        for (const CGrayTest& test : data.grayTests) {
            const GrayReference& expected = reference.tests.at(file + " " + CauseCodes(data, test.cause));
            ASSERT_TRUE(test.computed);
            EXPECT_NEAR(test.statistic, expected.statistic, 1e-8 * expected.statistic);
            EXPECT_EQ(test.degreesOfFreedom, expected.df);
            EXPECT_NEAR(test.pValue, expected.p, 1e-8 * expected.p);
        }
    }
}

TEST(CumulativeIncidenceTest, OneCauseOnlyIsOneMinusTheProductLimit)
{
    std::mt19937 rng(34);
    CAnalysisData data;
    const CaseList cases = BuildCaseList(data, RandomCases(rng, 400, 300, 900));
    data.ciLevelText = ".95";
    data.periodTechnique = kProductLimitTechnique;
    ASSERT_EQ(SetCompetingCodes(data, {"1"}, {}), std::nullopt);
    ASSERT_EQ(ComputeCumulativeIncidence(data, cases, true), std::nullopt);
    CAnalysisData survival = data;
    ASSERT_EQ(ComputeProductLimit(survival, cases, true), std::nullopt);
    for (size_t g = 0; g < 2; ++g) {
        const std::vector<CIncidenceRow>& rows = data.groupResults[g].incidence.at(0).rows;
        std::map<int, double> curve;  // the product-limit after the last death of each day
        for (const CTimePointResult& t : survival.groupResults[g].timePoints)
            if (t.statusText == "1") curve[t.survivalDays] = t.cumulativeSurvival;
        ASSERT_EQ(rows.size(), curve.size());
        for (const CIncidenceRow& row : rows) EXPECT_NEAR(row.incidence, 1.0 - curve[row.time], 1e-12) << row.time;
    }
}

TEST(CumulativeIncidenceTest, SmallCasesByHand)
{
    // Censored on day 10 before any event, then the event of interest on day
    // 20 and a competing event on day 30: at risk 2, then 1.
    const std::vector<CIncidenceCurve> curves = CurvesOf({{10, "0"}, {20, "1"}, {30, "2"}});
    ASSERT_EQ(curves.size(), 2u);
    ASSERT_EQ(curves[0].rows.size(), 1u);
    EXPECT_EQ(curves[0].rows[0].time, 20);
    EXPECT_EQ(curves[0].rows[0].atRisk, 2.0);
    EXPECT_DOUBLE_EQ(curves[0].rows[0].incidence, 0.5);
    // With w = S(t-)^2 d / n^2 = 1/4, a = 1 / S(t) = 2 and b = 1 + a F = 2 the
    // variance is w b^2 + F^2 w a^2 - 2 F w a b = 1 + 1/4 - 1 (cmprsk gives the same).
    EXPECT_DOUBLE_EQ(curves[0].rows[0].standardError, 0.5);
    ASSERT_EQ(curves[1].rows.size(), 1u);
    EXPECT_EQ(curves[1].rows[0].atRisk, 1.0);
    EXPECT_DOUBLE_EQ(curves[1].rows[0].incidence, 0.5);

    // Only competing events: the event of interest never rises, the
    // competing incidence reaches 1.
    const std::vector<CIncidenceCurve> competing = CurvesOf({{5, "2"}, {5, "2"}, {9, "2"}});
    ASSERT_EQ(competing.size(), 2u);
    EXPECT_TRUE(competing[0].rows.empty());
    const auto& rows = competing[1].rows;
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].events, 2);
    EXPECT_DOUBLE_EQ(rows[0].incidence, 2.0 / 3.0);
    EXPECT_DOUBLE_EQ(rows[1].incidence, 1.0);
    EXPECT_EQ(rows[1].upperLimit, 1.0);
}

// The incidence at the end of interval k is the one after the last event
// day in intervals 1 .. k; the interval's cases at risk are those followed
// into it.
TEST(CumulativeIncidenceTest, IntervalEndsReadTheEventDays)
{
    std::mt19937 rng(7);
    CAnalysisData data;
    const CaseList cases = BuildCaseList(data, RandomCases(rng, 500, 400, 2000));
    data.ciLevelText = ".99";
    data.timeUnit = kUnitMonth;
    ASSERT_EQ(SetCompetingCodes(data, {"1"}, {"2"}), std::nullopt);
    CAnalysisData atDays = data;
    atDays.periodTechnique = kProductLimitTechnique;
    data.periodTechnique = kLifeTableTechnique;
    ASSERT_EQ(ComputeCumulativeIncidence(data, cases, true), std::nullopt);
    ASSERT_EQ(ComputeCumulativeIncidence(atDays, cases, true), std::nullopt);
    const double unitDays = UnitDays(kUnitMonth);
    for (size_t g = 0; g < 2; ++g) {
        for (size_t cause = 0; cause < 2; ++cause) {
            const auto& intervals = data.groupResults[g].incidence[cause].rows;
            const auto& days = atDays.groupResults[g].incidence[cause].rows;
            ASSERT_EQ(intervals.size(), static_cast<size_t>(IntervalCount(data.maxObservationDays, unitDays)));
            for (const CIncidenceRow& row : intervals) {
                double incidence = 0.0;
                int events = 0;
                for (const CIncidenceRow& day : days) {
                    const int k = static_cast<int>(day.time / unitDays) + 1;
                    if (k <= row.time) incidence = day.incidence;
                    if (k == row.time) events += day.events;
                }
                int entered = 0;
                for (size_t i = 0; i < cases.records.size(); ++i) {
                    const CCaseRecord& c = cases.records[i];
                    entered += c.isValid && cases.groupIndex[i] == static_cast<int>(g) &&
                               static_cast<int>(c.observationDays / unitDays) + 1 >= row.time;
                }
                EXPECT_EQ(row.incidence, incidence) << row.time;
                EXPECT_EQ(row.events, events) << row.time;
                EXPECT_EQ(row.atRisk, entered) << row.time;
            }
        }
    }
}
