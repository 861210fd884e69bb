#include <gtest/gtest.h>

#include <cstdio>

#include "results/ResultReport.h"
#include "stats/SmrSir.h"
#include "support/CaseFactory.h"

using namespace kalderon;
using kalderon::testing::MakeCase;
using kalderon::testing::Ymd;

namespace {

struct SmrFixture {
    CAnalysisData data;
    CaseList cases;

    SmrFixture(const std::vector<CCaseRecord>& rows, std::vector<CPopulationYearTable> rates)
    {
        CaseListBuilder builder(data);
        for (const CCaseRecord& c : rows) builder.Add(c);
        cases = builder.Finish();
        data.eventCode = "1";
        data.sexCodeFirst = "1";
        data.populationTables = std::move(rates);
        data.PrepareTimeWindow();
        ComputeSmrSir(data, cases, false);
    }
    const std::vector<double>& v() const { return data.groupResults[0].expectedInterval; }
};

// Rates that are 1 per person-year in the age group `hot`, 0 elsewhere.
std::vector<CPopulationYearTable> OneHotRates(int year, size_t hot, size_t groups = 22)
{
    std::vector<double> r(groups, 0.0);
    r[hot] = 1.0;
    return {{year, r, r}};
}

}  // namespace

TEST(SmrSir, ByarLimitsOfTheWorkedExample)
{
    const ByarResult r = ByarLimits(10, 5.0, 1.95996);
    EXPECT_DOUBLE_EQ(r.ratio, 2.0);
    EXPECT_NEAR(r.lower, 0.957492, 5e-7);
    EXPECT_NEAR(r.upper, 3.678288, 5e-7);
    const ByarResult none = ByarLimits(0, 5.0, 1.95996);
    EXPECT_EQ(none.ratio, -1.0);
    EXPECT_EQ(none.lower, -1.0);
    EXPECT_EQ(none.upper, -1.0);
}

TEST(SmrSir, PersonDaysAreSplitAtBirthdaysAndYearEnds)
{
    // Born 1 January 1950, followed 1 July 2000 to 30 June 2001: 183 days in
    // 2000 at age 50, then 1 day at 50 and 180 days at 51 in 2001.
    const CCaseRecord c = MakeCase(1, Ymd(2000, 7, 1), Ymd(2001, 6, 30), "0", "", "1", Ymd(1950, 1, 1), true);
    // Age group 10 (50-54) is the only one with a rate.
    const SmrFixture f({c}, OneHotRates(2000, 10));
    ASSERT_EQ(f.v().size(), 2u + 6u);
    EXPECT_DOUBLE_EQ(f.v()[0], 183.0);
    EXPECT_DOUBLE_EQ(f.v()[1], 181.0);
    EXPECT_EQ(f.v()[2], -1.0);  // no events
    EXPECT_EQ(f.v()[5], 0.0);
    EXPECT_DOUBLE_EQ(f.v()[6], 364.0 / 365.25);
    EXPECT_DOUBLE_EQ(f.v()[7], 364.0 / 365.25);

    // At 55 the age group changes: the days after the 55th birthday go to group 11.
    const CCaseRecord older = MakeCase(1, Ymd(2004, 7, 1), Ymd(2005, 6, 30), "1", "", "1", Ymd(1950, 1, 1), true);
    const SmrFixture g({older}, OneHotRates(2004, 10));
    EXPECT_DOUBLE_EQ(g.v()[0], 183.0);
    EXPECT_DOUBLE_EQ(g.v()[1], 1.0);
    EXPECT_DOUBLE_EQ(g.v()[2 + 3], 1.0);  // observed
}

TEST(SmrSir, LeapDayBirthdayFallsOnTheTwentyEighthInCommonYears)
{
    // Born 29.02.1936; in 2001 the birthday is 28 February, in 2004 the 29th.
    const CCaseRecord c = MakeCase(1, Ymd(2001, 1, 1), Ymd(2004, 12, 31), "0", "", "1", Ymd(1936, 2, 29), true);
    // Age 64 until the birthday in 2001 (group 12), 65 from it (group 13).
    const SmrFixture f({c}, OneHotRates(2001, 12));
    // 2001: from 01.01.2001 to 28.02.2001 = 58 days at age 64.
    EXPECT_DOUBLE_EQ(f.v()[0], 58.0);
    EXPECT_DOUBLE_EQ(f.v()[1], 0.0);
    const SmrFixture g({c}, OneHotRates(2001, 13));
    EXPECT_DOUBLE_EQ(g.v()[0], 306.0);       // 28.02. to 31.12.2001 at 65
    EXPECT_DOUBLE_EQ(g.v()[1], 59.0 + 306.0);
    // 2004: 31.12.2003 to 29.02.2004 is 60 days at 67, then 306 days at 68.
    EXPECT_DOUBLE_EQ(g.v()[3], 366.0);
}

TEST(SmrSir, AgesBeyondTheTableUseItsLastGroup)
{
    // Aged 87 (group 17) with a table of only 10 groups: the last group.
    const CCaseRecord c = MakeCase(1, Ymd(2000, 1, 1), Ymd(2000, 1, 11), "1", "", "1", Ymd(1912, 6, 1), true);
    const SmrFixture f({c}, OneHotRates(2000, 9, 10));
    EXPECT_DOUBLE_EQ(f.v()[0], 10.0);  // 01.01. .. 11.01.2000
}


TEST(SmrSir, ReportAndExportOfTwoGroups)
{
    // Group A: one event; group B: none (ratio -1.0: dashes, no ratio in the export).
    std::vector<CCaseRecord> rows = {
        MakeCase(1, Ymd(2000, 7, 1), Ymd(2001, 6, 30), "1", "A", "1", Ymd(1950, 1, 1), true),
        MakeCase(2, Ymd(2000, 1, 1), Ymd(2000, 12, 31), "0", "B", "2", Ymd(1950, 1, 1), true)};
    CAnalysisData data;
    CaseListBuilder builder(data);
    for (const CCaseRecord& c : rows) builder.Add(c);
    CaseList cases = builder.Finish();
    cases.sourcePath = "smr.txt";
    data.eventCode = "1";
    data.sexCodeFirst = "1";
    data.ciLevelText = ".95";
    data.populationTableName = "Rates";
    data.populationTables = OneHotRates(2000, 10);  // 1 per person-year at ages 50-54
    data.PrepareTimeWindow();
    ComputeSmrSir(data, cases, true);

    ResultReport report;
    report.SetResults(data, kSmrSir, "Monday 07. December 2026 12:00:00");
    const double expectedA = 364.0 / 365.25;
    const ByarResult a = ByarLimits(1, expectedA, 1.95996);
    char line[200];
    std::snprintf(line, sizeof line, "      1      %8.6f   %8.6f   %8.6f   %8.6f\n\n", expectedA, a.ratio, a.lower, a.upper);
    const std::string expectedReport =
        "Results (Standardized Mortality Ratio (SMR) / Standardized Incidence Ratio (SIR))\r\n"
        "created on Monday 07. December 2026 12:00:00 from file\nsmr.txt\r\n\r\n"
        "Coding of event of interest: 1\n"
        "Coding of sex:               Male = 1, Female = 2\n"
        "Reference rate table used:   Rates\n\n\n"
        "Group A\r\n-------\r\n"
        "Data records read:\t1\r\nData records valid:\t1\r\n"
        "Data records skipped due to invalid or missing items: 0\r\n\r\n"
        "\n observed   expected    SMR/SIR     .95 CI limits\n"
        "  events     events                 lower      upper\n"
        " --------  ----------  ---------  ---------  ---------\n" +
        std::string(line) +
        "Person-years: 1.00\n"
        "\r\n\r\nGroup B\r\n-------\r\n"
        "Data records read:\t1\r\nData records valid:\t1\r\n"
        "Data records skipped due to invalid or missing items: 0\r\n\r\n"
        "\n observed   expected    SMR/SIR     .95 CI limits\n"
        "  events     events                 lower      upper\n"
        " --------  ----------  ---------  ---------  ---------\n"
        "      0      0.999316      -          -          -\n\n"
        "Person-years: 1.00\n";
    EXPECT_EQ(report.reportText(), expectedReport);

    char exportA[200];
    std::snprintf(exportA, sizeof exportA, "A;1;%.6f;%.6f;%.6f;%.6f;1.00\n", expectedA, a.ratio, a.lower, a.upper);
    EXPECT_EQ(report.exportText(), "Group;Observed events;Expected events;SMR/SIR;CI lower limit;CI upper limit;"
                                   "Person-years\n" +
                                       std::string(exportA) + "B;0;0.999316;;;;1.00\n");

    // A result vector that is too short gives the error line and no export line.
    data.groupResults[1].expectedInterval.resize(3);
    report.SetResults(data, kSmrSir, "x");
    EXPECT_NE(report.reportText().find("Error occured during computation.\n"), std::string::npos);
    EXPECT_EQ(report.exportText().find("B;"), std::string::npos);
}
