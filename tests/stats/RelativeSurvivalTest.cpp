#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "results/ResultReport.h"
#include "stats/ExpectedSurvival.h"
#include "stats/LifeTable.h"
#include "stats/PeriodAnalysis.h"
#include "stats/ProductLimit.h"
#include "stats/Trend.h"
#include "support/CaseFactory.h"

using namespace kalderon;
using kalderon::testing::MakeCase;
using kalderon::testing::Ymd;

namespace {

// Four people born 01.01.1940 and followed from 01.01.2000, in a population
// where q = 0.1 every year: expected survival 0.9 per year.
struct Flat {
    CAnalysisData data;
    CaseList cases;

    Flat()
    {
        CaseListBuilder builder(data);
        const int days[] = {200, 500, 800, 1200};
        const char* status[] = {"1", "0", "1", "0"};
        for (int i = 0; i < 4; ++i)
            builder.Add(MakeCase(i + 1, Ymd(2000, 1, 1), DateValue::FromSerial(Ymd(2000, 1, 1).serial() + days[i]),
                                 status[i], "", "1", Ymd(1940, 1, 1), true));
        cases = builder.Finish();
        cases.sourcePath = "flat.txt";
        data.eventCode = "1";
        data.sexCodeFirst = "1";
        data.relativeSurvival = 1;
        data.populationTableName = "Flat";
        data.populationTables = {{2000, std::vector<double>(100, 0.1), std::vector<double>(100, 0.1)}};
        data.ciLevelText = ".95";
        data.groupResults[0].intervalTable.ciLevelText = ".95";
        data.PrepareTimeWindow();
    }
};

std::string Line(const char* format, auto... values)
{
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format, values...);
    return buffer;
}

}  // namespace

TEST(RelativeSurvival, ProductLimitDeathsAreDividedByTheInterpolatedExpectation)
{
    Flat f;
    ASSERT_EQ(ComputeProductLimit(f.data, f.cases, false), std::nullopt);
    const std::vector<CTimePointResult>& rows = f.data.groupResults[0].timePoints;
    ASSERT_EQ(rows.size(), 4u);
    const double e200 = 1.0 + (200 / 365.25) * (0.9 - 1.0);  // inside the first year
    EXPECT_DOUBLE_EQ(rows[0].expectedSurvival, e200);
    EXPECT_DOUBLE_EQ(rows[0].relativeSurvival, 0.75 / e200);
    EXPECT_DOUBLE_EQ(rows[1].expectedSurvival, 1.0);  // censored rows keep their initial values
    const double e800 = 0.81 + (800 / 365.25 - 2) * (0.729 - 0.81);
    EXPECT_NEAR(rows[2].expectedSurvival, e800, 1e-12);

    ResultReport report;
    report.SetResults(f.data, kProductLimit, "now");
    const CTimePointResult& r = rows[0];
    EXPECT_NE(report.reportText().find(Line("%12.6f  %6.0f    %-8.6f    %-8.6f      %-8.6f       %-8.6f     %-8.6f   "
                                            "%-8.6f  %-8.6f\r\n",
                                            200 / 365.25, 4.0, 0.75, 0.75, e200, 0.75 / e200, r.standardError,
                                            r.lowerLimit, r.upperLimit)),
              std::string::npos)
        << report.reportText();
    EXPECT_NE(report.exportText().find(Line("\n%f;;;;;;;;\n", 500 / 365.25)), std::string::npos);
    EXPECT_EQ(report.exportText().substr(0, report.exportText().find('\n')),
              "Survival time;At risk;Proportion surviving;Cumulative survival;Cumulative expected survival;"
              "Cumulative relative survival;Standard error;CI lower limit;CI upper limit");

    Flat none;
    none.data.populationTables.clear();
    EXPECT_EQ(ComputeProductLimit(none.data, none.cases, false), RelativeSurvivalRefusal(none.data));
    EXPECT_TRUE(RelativeSurvivalRefusal(none.data));
}

TEST(RelativeSurvival, PeriodAnalysisOverTheWholeFollowUpEqualsTheCohort)
{
    Flat f;
    f.data.periodTechnique = 0;
    ASSERT_EQ(ComputePeriodAnalysis(f.data, f.cases, false), std::nullopt);
    const std::vector<CIntervalResult>& rows = f.data.groupResults[0].intervalTable.rows;
    ASSERT_FALSE(rows.empty());
    EXPECT_DOUBLE_EQ(rows[0].cumulativeSurvival, 0.75);
    EXPECT_DOUBLE_EQ(rows[0].expectedSurvival, 0.9);
    EXPECT_DOUBLE_EQ(rows[0].relativeSurvival, 0.75 / 0.9);
    EXPECT_NEAR(rows[1].expectedSurvival, 0.81, 1e-12);

    ResultReport report;
    report.SetResults(f.data, kPeriodAnalysis, "now");
    const CIntervalResult& r = rows[0];
    EXPECT_NE(report.reportText().find(Line("%5d %5d %5d %5d       %5d %5d %5d     %5d %5d %5d   %7.1f  %-8.6f   %-8.6f"
                                            "     %-8.6f       %-8.6f     %-8.6f  %-8.6f  %-8.6f\r\n",
                                            1, 0, 0, 0, 4, 1, 0, 4, 1, 0, 4.0, 0.75, 0.75, 0.9, 0.75 / 0.9,
                                            r.standardError, r.lowerLimit, r.upperLimit)),
              std::string::npos)
        << report.reportText();

    f.data.periodTechnique = 1;
    ASSERT_EQ(ComputePeriodAnalysis(f.data, f.cases, false), std::nullopt);
    EXPECT_NEAR(f.data.groupResults[0].timePoints[0].expectedSurvival, 1.0 + (200 / 365.25) * (0.9 - 1.0), 1e-12);
}

TEST(RelativeSurvival, TrendRowsCarryTheExpectedSurvivalOfTheNthYear)
{
    Flat f;
    f.data.survivalYears = 1;
    f.data.periodWidth = 1;
    ASSERT_EQ(ComputeTrend(f.data, f.cases, false), std::nullopt);
    const std::vector<CIntervalResult>& rows = f.data.groupResults[0].intervalTable.rows;
    ASSERT_EQ(rows.size(), 4u);  // 2000 .. 2003
    EXPECT_EQ(rows[0].intervalNumber, 2000);
    EXPECT_DOUBLE_EQ(rows[0].expectedSurvival, 0.9);
    EXPECT_DOUBLE_EQ(rows[0].relativeSurvival, rows[0].cumulativeSurvival / 0.9);

    ResultReport report;
    report.SetResults(f.data, kTrend, "now");
    EXPECT_NE(report.reportText().find("starting year     to risk          to risk      1-year      1-year         "
                                       "1-year      standard    .95 CI limits\r\n"),
              std::string::npos);

    Flat none;
    none.data.populationTableName.clear();
    EXPECT_EQ(ComputeTrend(none.data, none.cases, false), RelativeSurvivalRefusal(none.data));
    EXPECT_TRUE(RelativeSurvivalRefusal(none.data));
}

TEST(RelativeLifeTable, RowsAreDividedByTheExpectedSurvivalAtTheIntervalEnd)
{
    Flat f;
    ASSERT_EQ(ComputeLifeTable(f.data, f.cases, false), std::nullopt);
    const CGroupResult& g = f.data.groupResults[0];
    ASSERT_EQ(g.expectedCumulative.size(), 4u);
    ASSERT_EQ(g.intervalTable.rows.size(), 4u);
    // Interval 0: 4 entered, 1 dead: S = 0.75, Greenwood 1/(4*3).
    const CIntervalResult& r0 = g.intervalTable.rows[0];
    EXPECT_DOUBLE_EQ(r0.cumulativeSurvival, 0.75);
    EXPECT_DOUBLE_EQ(r0.expectedSurvival, 0.9);
    EXPECT_DOUBLE_EQ(r0.relativeSurvival, 0.75 / 0.9);
    const double se = std::sqrt(1.0 / 12.0) * 0.75;
    EXPECT_DOUBLE_EQ(r0.standardError, se / 0.9);
    EXPECT_DOUBLE_EQ(r0.lowerLimit, (0.75 - 1.95996 * se) / 0.9);
    EXPECT_DOUBLE_EQ(r0.upperLimit, 1.0 / 0.9);  // capped before, not after the division
    EXPECT_NEAR(g.intervalTable.rows[2].expectedSurvival, 0.729, 1e-12);
    EXPECT_GE(f.data.maxRelativeUpper, 1.0 / 0.9);

    // Without a usable table the computation refuses instead of dividing by 0.
    Flat empty;
    empty.data.populationTables.clear();
    EXPECT_EQ(ComputeLifeTable(empty.data, empty.cases, false), RelativeSurvivalRefusal(empty.data));
    EXPECT_TRUE(RelativeSurvivalRefusal(empty.data));
}

TEST(RelativeLifeTable, ReportRowsAndExport)
{
    Flat f;
    f.data.useHakulinen = 0;
    ASSERT_EQ(ComputeLifeTable(f.data, f.cases, false), std::nullopt);
    ResultReport report;
    report.SetResults(f.data, kLifeTable, "Monday 07. December 2026 12:00:00");
    const std::string& text = report.reportText();
    EXPECT_NE(text.find("Coding of sex:               Male = 1\n\nRelative Survival\r\n"
                        "Method for estimating expected survival:  Ederer II\r\n"
                        "Population life tables used            :  Flat\r\n\n\n"),
              std::string::npos);
    EXPECT_NE(text.find("    1     4     1     0        4.0  0.750000   0.750000     0.900000       0.833333     "
                        "0.240563  0.361840  1.111111\r\n"),
              std::string::npos)
        << text;
    const std::string& csv = report.exportText();
    EXPECT_EQ(csv.substr(0, csv.find('\n') + 1),
              "Interval of follow-up;Entered;Died;Censored;Exposed to risk;Interval-specific survival;"
              "Cumulative survival;Cumulative expected survival;Cumulative relative survival;Standard error;"
              "CI lower limit;CI upper limit\n");
    EXPECT_NE(csv.find("\n1;4;1;0;4.0;0.750000;0.750000;0.900000;0.833333;0.240563;0.361840;1.111111\n"),
              std::string::npos);
}
