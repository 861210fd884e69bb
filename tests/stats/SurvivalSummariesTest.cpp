#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

#include "analysis/ParameterChoices.h"
#include "import/ReaderFault.h"
#include "import/TextFileReader.h"
#include "stats/ConditionalSurvival.h"
#include "stats/LifeTable.h"
#include "stats/ProductLimit.h"
#include "stats/RestrictedMeanSurvival.h"
#include "stats/SurvivalAtTimes.h"
#include "stats/TimeUnit.h"
#include "support/CaseFactory.h"

using namespace kalderon;

namespace {

// tests/data/summaries/reference.txt: a key, then pairs of name and value.
class Reference {
public:
    explicit Reference(const std::string& path)
    {
        std::ifstream in(path);
        EXPECT_TRUE(in) << path;
        for (std::string line; std::getline(in, line);) {
            std::istringstream words(line);
            std::string key;
            words >> key;
            for (std::string name, value; words >> name >> value;) values_[key][name] = std::stod(value);
        }
    }

    const std::map<std::string, double>* Find(const std::string& key) const
    {
        const auto found = values_.find(key);
        return found == values_.end() ? nullptr : &found->second;
    }

private:
    std::map<std::string, std::map<std::string, double>> values_;
};

std::string Number(double value)
{
    std::ostringstream text;
    text.precision(17);
    text << value;
    return text.str();
}

DataSet ReadExample(const std::string& path, std::int32_t unit)
{
    TextImportSettings settings;
    settings.useGroup = true;
    ReadResult<DataSet> read = ReadTextFile(std::string(KALDERON_SOURCE_DIR) + "/" + path, settings);
    EXPECT_TRUE(read.ok()) << ReaderFaultMessage(read.fault());
    DataSet dataSet = std::move(*read);
    ApplyParameterChoices(dataSet.analysis, ParameterChoices{"1", unit, ".95"});
    return dataSet;
}

// A value against R's line, or its absence after the group's follow-up.
void ExpectValue(const CurveValue& value, const std::map<std::string, double>* expected, const std::string& what)
{
    if (!expected) {
        EXPECT_FALSE(value.inFollowUp) << what;
        return;
    }
    ASSERT_TRUE(value.inFollowUp) << what;
    EXPECT_NEAR(value.cumulativeSurvival, expected->at("surv"), 1e-12) << what;
    EXPECT_NEAR(value.standardError, expected->at("se"), 1e-12) << what;
    EXPECT_EQ(value.atRisk, expected->at("nrisk")) << what;
    const double z = 1.95996;
    EXPECT_NEAR(value.lowerLimit, std::max(0.0, expected->at("surv") - z * expected->at("se")), 1e-12) << what;
    EXPECT_NEAR(value.upperLimit, std::min(1.0, expected->at("surv") + z * expected->at("se")), 1e-12) << what;
}

void ExpectRelative(double actual, double expected, const std::string& what)
{
    EXPECT_LE(std::fabs(actual - expected), 1e-9 * std::max(1.0, std::fabs(expected)))
        << what << ": " << actual << " vs " << expected;
}

struct UnitCase {
    const char* name;
    std::int32_t unit;
    std::vector<double> times;
    double from;
    std::vector<double> afterFrom;
    std::optional<double> tau;
};

TEST(SurvivalSummariesTest, ProductLimitAsRSurvivalOnExamplesAndTiesAtTheChosenTimes)
{
    const Reference reference(std::string(KALDERON_SOURCE_DIR) + "/tests/data/summaries/reference.txt");
    const std::map<std::string, std::string> examples = {{"tiny", "data/examples/tiny.txt"},
                                                         {"rdata", "data/examples/rdata.txt"},
                                                         {"colrec", "data/examples/colrec.txt"},
                                                         {"ties", "tests/data/summaries/ties.txt"}};
    const UnitCase units[] = {{"year", kUnitYear, {1, 2, 3, 5, 10}, 1, {1, 2, 4}, std::nullopt},
                              {"year", kUnitYear, {1}, 1, {1}, 2.0},
                              {"day", kUnitDay, {365, 730, 1096, 1826}, 365, {365, 731, 1461}, 730.0}};
    for (const auto& [example, path] : examples) {
        for (const UnitCase& u : units) {
            SCOPED_TRACE(example + " " + u.name);
            DataSet dataSet = ReadExample(path, u.unit);
            CAnalysisData& data = dataSet.analysis;
            ASSERT_EQ(ComputeProductLimit(data, dataSet.cases, true), std::nullopt);
            const std::string prefix = example + "/" + u.name + "/";

            const SurvivalAtTimes at = ReadSurvivalAtTimes(data, kProductLimit, true, u.times);
            ASSERT_EQ(at.groups.size(), data.groupResults.size());
            for (const GroupCurveValues& g : at.groups)
                for (size_t t = 0; t < u.times.size(); ++t) {
                    const std::string key = "at/" + prefix + g.code + "/" + Number(u.times[t]);
                    ExpectValue(g.values[t], reference.Find(key), key);
                }

            const ConditionalSurvival conditional =
                ReadConditionalSurvival(data, kProductLimit, true, u.from, u.afterFrom);
            for (const GroupCurveValues& g : conditional.afterFrom.groups)
                for (size_t t = 0; t < u.afterFrom.size(); ++t) {
                    const std::string key =
                        "conditional/" + prefix + g.code + "/" + Number(u.from) + "+" + Number(u.afterFrom[t]);
                    ExpectValue(g.values[t], reference.Find(key), key);
                }

            RestrictedMeanSurvival rmst;
            ASSERT_EQ(ComputeRestrictedMeans(data, true, u.tau, rmst), std::nullopt);
            for (const RestrictedMean& g : rmst.groups) {
                const std::string key = "rmst/" + prefix + g.code + "/" + Number(rmst.tau);
                const auto* expected = reference.Find(key);
                ASSERT_TRUE(expected) << key;
                ExpectRelative(g.mean, expected->at("mean"), key + " mean");
                ExpectRelative(g.standardError, expected->at("se"), key + " se");
            }
            ASSERT_EQ(rmst.contrasts.size(), rmst.groups.size() - 1);
            for (const RestrictedMeanContrast& c : rmst.contrasts) {
                const std::string key = "contrast/" + prefix + c.code + "/" + Number(rmst.tau);
                const auto* expected = reference.Find(key);
                ASSERT_TRUE(expected) << key;
                ExpectRelative(c.difference, expected->at("diff"), key + " difference");
                ExpectRelative(c.differenceLower, expected->at("lower"), key + " lower");
                ExpectRelative(c.differenceUpper, expected->at("upper"), key + " upper");
                ExpectRelative(c.differencePValue, expected->at("p"), key + " p");
                ExpectRelative(*c.ratio, expected->at("ratio"), key + " ratio");
                ExpectRelative(*c.ratioLower, expected->at("rlower"), key + " ratio lower");
                ExpectRelative(*c.ratioUpper, expected->at("rupper"), key + " ratio upper");
                ExpectRelative(*c.ratioPValue, expected->at("rp"), key + " ratio p");
            }
        }
    }
}

// The conditional life table as its definition reads: the cumulative
// survival from interval X + 1 on, with the Greenwood sum of those intervals
// only, d / (n' (n' - d)) with n' = entered - censored / 2.
TEST(SurvivalSummariesTest, LifeTableAtIntervalEndsAndConditionalFromTheCounts)
{
    DataSet dataSet = ReadExample("data/examples/rdata.txt", kUnitYear);
    CAnalysisData& data = dataSet.analysis;
    ASSERT_EQ(ComputeLifeTable(data, dataSet.cases, true), std::nullopt);
    const double z = ZValue(data.ciLevelText);
    const std::vector<double> times = {1, 2, 5, 10};
    const SurvivalAtTimes at = ReadSurvivalAtTimes(data, kLifeTable, true, times);
    const ConditionalSurvival conditional = ReadConditionalSurvival(data, kLifeTable, true, 2, times);
    for (size_t g = 0; g < at.groups.size(); ++g) {
        const CGroupResult& group = data.groupResults[g];
        for (size_t t = 0; t < times.size(); ++t) {
            const auto end = static_cast<size_t>(times[t]);
            const CurveValue& value = at.groups[g].values[t];
            EXPECT_EQ(value.cumulativeSurvival, group.intervalTable.rows[end - 1].cumulativeSurvival);
            EXPECT_EQ(value.upperLimit, group.intervalTable.rows[end - 1].upperLimit);
            EXPECT_EQ(value.atRisk, group.countsAll[end].entered);

            double survival = 1.0, greenwood = 0.0;
            for (size_t i = 2; i < 2 + end; ++i) {
                const CIntervalCounts& c = group.countsAll[i];
                const double exposed = c.entered - c.censored * 0.5;
                survival *= 1.0 - c.dead / exposed;
                greenwood += c.dead / (exposed * (exposed - c.dead));
            }
            const CurveValue& given = conditional.afterFrom.groups[g].values[t];
            const std::string what = group.info.code + " 2+" + Number(times[t]);
            EXPECT_NEAR(given.cumulativeSurvival, survival, 1e-13) << what;
            EXPECT_NEAR(given.standardError, survival * std::sqrt(greenwood), 1e-12) << what;
            EXPECT_NEAR(given.lowerLimit, std::max(0.0, survival - z * survival * std::sqrt(greenwood)), 1e-12)
                << what;
            EXPECT_EQ(given.atRisk, group.countsAll[2 + end].entered) << what;
        }
    }
    EXPECT_EQ(ChosenTimesRefusal({1, 2.5}, true),
              "Survival at 2.5: a life table gives survival only at the end of its intervals, at whole time units.");
    EXPECT_EQ(ChosenTimesRefusal({1, 2.5}, false), std::nullopt);
    EXPECT_EQ(ChosenTimesRefusal({0}, false), "Survival at 0: a time must be greater than 0.");
}

TEST(SurvivalSummariesTest, RestrictionTimeAfterAGroupsFollowUpIsRefused)
{
    DataSet dataSet = ReadExample("data/examples/tiny.txt", kUnitYear);
    CAnalysisData& data = dataSet.analysis;
    ASSERT_EQ(ComputeProductLimit(data, dataSet.cases, true), std::nullopt);
    // A follows up to 31.12.2004 from 01.01.1995, B from 01.01.2001: 4 years less a day.
    const double lastOfB = (kalderon::testing::Ymd(2004, 12, 31).serial() - kalderon::testing::Ymd(2001, 1, 1).serial()) / 365.25;
    EXPECT_EQ(DefaultRestrictionTime(data, true), lastOfB);
    RestrictedMeanSurvival rmst;
    EXPECT_EQ(ComputeRestrictedMeans(data, true, 5.0, rmst),
              "Restricted mean survival time up to 5: the follow-up of group B ends at 3.99726.");
    EXPECT_EQ(ComputeRestrictedMeans(data, true, lastOfB, rmst), std::nullopt);
    // Without deaths the curve stays at 1: the mean is tau itself.
    EXPECT_EQ(RestrictedMeanOf({}, "1", 2.5, 365.25).mean, 2.5);
}

}  // namespace
