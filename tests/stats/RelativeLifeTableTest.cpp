#include <gtest/gtest.h>

#include <cmath>

#include "results/ResultReport.h"
#include "stats/LifeTable.h"
#include "support/CaseFactory.h"

using namespace kalderon;
using kalderon::testing::MakeCase;
using kalderon::testing::Ymd;

namespace {

// Four people born 01.01.1940, followed from 01.01.2000, with a population
// in which everybody dies with q = 0.1 a year: expected survival 0.9^years.
struct RelativeFixture {
    CAnalysisData data;
    CaseList cases;

    RelativeFixture()
    {
        CaseListBuilder builder(data);
        const int days[] = {200, 500, 800, 1200};
        const char* status[] = {"1", "0", "1", "0"};
        for (int i = 0; i < 4; ++i)
            builder.Add(MakeCase(i + 1, Ymd(2000, 1, 1), DateValue::FromSerial(Ymd(2000, 1, 1).serial() + days[i]),
                                 status[i], "", "1", Ymd(1940, 1, 1), true));
        cases = builder.Finish();
        cases.sourcePath = "rel.txt";
        data.eventCode = "1";
        data.sexCodeFirst = "1";
        data.relativeSurvival = 1;
        data.populationTableName = "Flat";
        data.populationTables = {{2000, std::vector<double>(100, 0.1), std::vector<double>(100, 0.1)}};
        data.ciLevelText = ".95";
        data.groupResults[0].intervalTable.ciLevelText = ".95";
    }
};

}  // namespace

TEST(RelativeLifeTable, RowsAreDividedByTheExpectedSurvivalAtTheIntervalEnd)
{
    RelativeFixture f;
    ASSERT_TRUE(ComputeLifeTable(f.data, f.cases, false));
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
    RelativeFixture empty;
    empty.data.populationTables.clear();
    EXPECT_FALSE(ComputeLifeTable(empty.data, empty.cases, false));
}

TEST(RelativeLifeTable, ReportRowsAndExport)
{
    RelativeFixture f;
    f.data.useHakulinen = 0;
    ASSERT_TRUE(ComputeLifeTable(f.data, f.cases, false));
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
