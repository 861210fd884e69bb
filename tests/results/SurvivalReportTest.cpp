#include <gtest/gtest.h>

#include "results/ResultReport.h"
#include "stats/PeriodAnalysis.h"
#include "stats/ProductLimit.h"
#include "support/CaseListFactory.h"

using namespace kalderon;
using namespace kalderon::testing;

namespace {

const char* const kStamp = "Monday 02. January 2006 15:04:05";

std::string Header(const std::string& analysis)
{
    return "Results (" + analysis +
           ")\r\n"
           "created on Monday 02. January 2006 15:04:05 from file\n"
           "tiny.txt\r\n"
           "\r\n"
           "Coding of event of interest: 1\n"
           "\n\n";
}

std::string Section(const std::string& group, bool first)
{
    return std::string(first ? "" : "\r\n\r\n") + "Group " + group +
           "\r\n"
           "-------\r\n"
           "Data records read:\t6\r\n"
           "Data records valid:\t6\r\n"
           "Data records skipped due to invalid or missing items: 0\r\n"
           "\r\n";
}

const std::string kPeriodLines =
    "Period of interest - begin: 01.01.97\r\n"
    "Period of interest - end  : 31.12.01\r\n"
    "\r\n";

// The bundled tiny example, stratified by its groups A and B, with the
// period of interest 1997-2001.
CAnalysisData TinyAnalysed(int technique, int unit)
{
    CAnalysisData data;
    const CaseList cases = BuildCaseList(data, TinyCases(), "tiny.txt");
    data.timeUnit = unit;
    data.ciLevelText = ".95";
    for (CGroupResult& g : data.groupResults) g.intervalTable.ciLevelText = ".95";
    data.periodBegin = Ymd(1997, 1, 1);
    data.periodEnd = Ymd(2001, 12, 31);
    data.periodTechnique = technique;
    EXPECT_EQ(ComputePeriodAnalysis(data, cases, true), std::nullopt);
    return data;
}

}  // namespace

TEST(SurvivalReport, PeriodAnalysisLifeTableTechnique)
{
    ResultReport report;
    report.SetResults(TinyAnalysed(0, 0), kPeriodAnalysis, kStamp);

    const std::string tableHeader =
        "      censored at begin of P  censored at end of P  difference          exposed  survival  cumulative  "
        "standard    .95 CI limits\r\n"
        " year enter  dead  cens.      enter  dead  cens.    enter  dead  cens.  to risk  rate      survival    "
        "error      lower     upper\r\n"
        "----- ----------------------  --------------------  ------------------  -------  --------  ----------  "
        "--------  --------  --------\r\n";
    // Group B: 3 deaths against 2.5 exposed to risk end the survival at 0
    // without a standard error; interval 2 is entered but not within the
    // period, so the computation stopped there.
    const std::string expected =
        Header("Period analysis using life table techniques") + Section("A", true) + kPeriodLines + tableHeader +
        "    1     3     0     1           6     1     0         3     1    -1       3.5  0.714286   0.714286   0.241473  0.241009  1.000000\r\n"
        "    2     2     1     1           5     2     2         3     1     1       2.5  0.600000   0.428571   0.264520  0.000000  0.947020\r\n"
        "    3     0     0     0           1     0     0         1     0     0       1.0  1.000000   0.428571   0.264520  0.000000  0.947020\r\n"
        "    4     0     0     0           1     0     0         1     0     0       1.0  1.000000   0.428571   0.264520  0.000000  0.947020\r\n"
        "    5     0     0     0           1     0     0         1     0     0       1.0  1.000000   0.428571   0.264520  0.000000  0.947020\r\n"
        "\n"
        "    6     0     0     0           1     0     0         1     0     0       1.0  1.000000   0.428571   0.264520  0.000000  0.947020\r\n"
        "    7     0     0     0           1     0     1         1     0     1       0.5  1.000000   0.428571   0.264520  0.000000  0.947020\r\n" +
        Section("B", false) + kPeriodLines + tableHeader +
        "    1     4     0     2           6     3     1         2     3    -1       2.5  0.000000   0.000000      NA        NA        NA\r\n"
        "    2     2     0     2           2     0     0         0     0    -2       1.0  No cases entering this interval: analysis stopped\r\n";
    EXPECT_EQ(report.reportText(), expected);

    const std::string expectedExport =
        "Group;Interval of follow-up;Entered (censored at begin of P);Died (censored at begin of P);"
        "Censored (censored at begin of P);Entered (censored at end of P);Died (censored at end of P);"
        "Censored (censored at end of P);Entered (difference);Died (difference);Censored (difference);"
        "Exposed to risk;Interval-specific survival;Cumulative survival;Standard error;CI lower limit;"
        "CI upper limit\n"
        "A;1;3;0;1;6;1;0;3;1;-1;3.5;0.714286;0.714286;0.241473;0.241009;1.000000\n"
        "A;2;2;1;1;5;2;2;3;1;1;2.5;0.600000;0.428571;0.264520;0.000000;0.947020\n"
        "A;3;0;0;0;1;0;0;1;0;0;1.0;1.000000;0.428571;0.264520;0.000000;0.947020\n"
        "A;4;0;0;0;1;0;0;1;0;0;1.0;1.000000;0.428571;0.264520;0.000000;0.947020\n"
        "A;5;0;0;0;1;0;0;1;0;0;1.0;1.000000;0.428571;0.264520;0.000000;0.947020\n"
        "A;6;0;0;0;1;0;0;1;0;0;1.0;1.000000;0.428571;0.264520;0.000000;0.947020\n"
        "A;7;0;0;0;1;0;1;1;0;1;0.5;1.000000;0.428571;0.264520;0.000000;0.947020\n"
        "B;1;4;0;2;6;3;1;2;3;-1;2.5;0.000000;0.000000;NA;NA;NA\n"
        "B;2;2;0;2;2;0;0;0;0;-2;1.0;;;;;\n";
    EXPECT_EQ(report.exportText(), expectedExport);
}

TEST(SurvivalReport, ProductLimitInYears)
{
    CAnalysisData data;
    const CaseList cases = BuildCaseList(data, TinyCases(), "tiny.txt");
    data.ciLevelText = ".95";
    for (CGroupResult& g : data.groupResults) g.intervalTable.ciLevelText = ".99";  // not the product-limit's
    EXPECT_EQ(ComputeProductLimit(data, cases, true), std::nullopt);
    ResultReport report;
    report.SetResults(data, kProductLimit, kStamp);

    const std::string tableHeader =
        "survival               proportion  cummulative  standard     .95 CI limits\r\n"
        "time [years]  at risk  surviving   survival     error       lower     upper\r\n"
        "------------  -------  ----------  -----------  --------   --------  --------\r\n";
    const std::string expected =
        Header("Product-limit / Kaplan-Meier") + Section("A", true) + tableHeader +
        "    0.999316       6    0.833333    0.833333    0.152145   0.535135  1.000000\r\n"
        "    1.002053     -          -           -           -          -         -\r\n"
        "    1.497604       4    0.750000    0.625000    0.213478   0.206591  1.000000\r\n"
        "    1.998631       3    0.666667    0.416667    0.221788   0.000000  0.851362\r\n"
        "    3.496235       2    0.500000    0.208333    0.184388   0.000000  0.569726\r\n"
        "\n"
        "    9.998631     -          -           -           -          -         -\r\n" +
        Section("B", false) + tableHeader +
        "    0.996578       6    0.833333    0.833333    0.152145   0.535135  1.000000\r\n"
        "    0.999316       5    0.800000    0.666667    0.192450   0.289472  1.000000\r\n"
        "    0.999316       4    0.750000    0.500000    0.204124   0.099925  0.900075\r\n"
        "    2.001369       3    0.666667    0.333333    0.192450   0.000000  0.710528\r\n"
        "    2.001369     -          -           -           -          -         -\r\n"
        "\n"
        "    3.997262     -          -           -           -          -         -\r\n";
    EXPECT_EQ(report.reportText(), expected);

    const std::string expectedExport =
        "Group;Survival time;At risk;Proportion surviving;Cumulative survival;Standard error;CI lower limit;"
        "CI upper limit\n"
        "A;0.999316;6;0.833333;0.833333;0.152145;0.535135;1.000000\n"
        "A;1.002053;;;;;;\n"
        "A;1.497604;4;0.750000;0.625000;0.213478;0.206591;1.000000\n"
        "A;1.998631;3;0.666667;0.416667;0.221788;0.000000;0.851362\n"
        "A;3.496235;2;0.500000;0.208333;0.184388;0.000000;0.569726\n"
        "A;9.998631;;;;;;\n"
        "B;0.996578;6;0.833333;0.833333;0.152145;0.535135;1.000000\n"
        "B;0.999316;5;0.800000;0.666667;0.192450;0.289472;1.000000\n"
        "B;0.999316;4;0.750000;0.500000;0.204124;0.099925;0.900075\n"
        "B;2.001369;3;0.666667;0.333333;0.192450;0.000000;0.710528\n"
        "B;2.001369;;;;;;\n"
        "B;3.997262;;;;;;\n";
    EXPECT_EQ(report.exportText(), expectedExport);
}

TEST(SurvivalReport, PeriodAnalysisProductLimitTechniqueInDays)
{
    ResultReport report;
    report.SetResults(TinyAnalysed(1, 3), kPeriodAnalysis, kStamp);

    const std::string tableHeader =
        "survival               proportion  cummulative  standard     .95 CI limits\r\n"
        "time [days]   at risk  surviving   survival     error       lower     upper\r\n"
        "------------  -------  ----------  -----------  --------   --------  --------\r\n";
    const std::string expected =
        Header("Period analysis using product-limit techniques") + Section("A", true) + kPeriodLines + tableHeader +
        "     365           4    0.750000    0.750000    0.216506   0.325656  1.000000\r\n"
        "     366         -          -           -           -          -         -\r\n"
        "     730           2    0.500000    0.375000    0.286411   0.000000  0.936354\r\n"
        "     730         -          -           -           -          -         -\r\n"
        "    2556         -          -           -           -          -         -\r\n"
        "\n" +
        Section("B", false) + kPeriodLines + tableHeader +
        "     364           4    0.750000    0.750000    0.216506   0.325656  1.000000\r\n"
        "     364         -          -           -           -          -         -\r\n"
        "     365           2    0.500000    0.375000    0.286411   0.000000  0.936354\r\n"
        "     365           1    0.000000    0.000000        NA         NA        NA\r\n"
        "     731           2    0.500000    0.000000        NA         NA        NA\r\n"
        "\n"
        "     731         -          -           -           -          -         -\r\n";
    EXPECT_EQ(report.reportText(), expected);

    const std::string expectedExport =
        "Group;Survival time;At risk;Proportion surviving;Cumulative survival;Standard error;CI lower limit;"
        "CI upper limit\n"
        "A;365;4;0.750000;0.750000;0.216506;0.325656;1.000000\n"
        "A;366;;;;;;\n"
        "A;730;2;0.500000;0.375000;0.286411;0.000000;0.936354\n"
        "A;730;;;;;;\n"
        "A;2556;;;;;;\n"
        "B;364;4;0.750000;0.750000;0.216506;0.325656;1.000000\n"
        "B;364;;;;;;\n"
        "B;365;2;0.500000;0.375000;0.286411;0.000000;0.936354\n"
        "B;365;1;0.000000;0.000000;NA;NA;NA\n"
        "B;731;2;0.500000;0.000000;NA;NA;NA\n"
        "B;731;;;;;;\n";
    EXPECT_EQ(report.exportText(), expectedExport);
}

TEST(SurvivalReport, TrendLinesWithAndWithoutExposureAtPeriodEnd)
{
    CAnalysisData data;
    data.title = "tiny.txt";
    data.eventCode = "1";
    data.periodWidth = 5;
    data.survivalYears = 5;
    data.groupResults.resize(2);
    auto row = [](int year, double atStart, double atEnd, double s, double se, double lower, double upper,
                  int hasSe) {
        CIntervalResult r;
        r.intervalNumber = year;
        r.reserved = atStart;
        r.exposedToRisk = atEnd;
        r.cumulativeSurvival = s;
        r.standardError = se;
        r.lowerLimit = lower;
        r.upperLimit = upper;
        r.hasStandardError = hasSe;
        return r;
    };
    for (int g = 0; g < 2; ++g) {
        CGroupResult& group = data.groupResults[g];
        group.info = {g == 0 ? "A" : "B", "", 6, 6, 0};
        group.intervalTable.ciLevelText = ".99";
    }
    // A period that had cases but no 5-year survival stores its exposure at
    // start negated; one without cases stores 0, whose negation must not
    // show as -0.0.
    data.groupResults[0].intervalTable.rows = {
        row(1990, 10.5, 4.0, 0.5, 0.1, 0.3, 0.7, 1), row(1991, 8.0, 2.0, 0.25, 0, 0, 1, 0),
        row(1992, -6.5, 0.0, 1, 0, 0, 1, 0),         row(1993, 0.0, 0.0, 1, 0, 0, 1, 0),
        row(1994, 3.0, 3.0, 1.0, 0, 1, 1, 0),        row(1995, 12.0, 7.5, 0.8125, 0.05, 0.714508, 0.910492, 1)};
    data.groupResults[1].intervalTable.rows = {row(1990, -0.0, 0.0, 1, 0, 0, 1, 0)};

    ResultReport report;
    report.SetResults(data, kTrend, kStamp);
    const std::string trendHeader =
        "Width of period of interest: 5 years\r\n\r\n"
        "                  exposed          exposed\r\n"
        "starting year     to risk          to risk     5-year    standard    .99 CI limits\r\n"
        "of period      at period start  at period end  survival   error      lower     upper\r\n"
        "-------------  ---------------  -------------  --------  --------  --------  --------\r\n";
    const std::string expected =
        Header("Period analysis by starting year of period using life table techniques") + Section("A", true) +
        trendHeader +
        "   1990              10.5             4.0      0.500000  0.100000  0.300000  0.700000\r\n"
        "   1991               8.0             2.0      0.250000     NA        NA        NA\r\n"
        "   1992               6.5             0.0         NA\r\n"
        "   1993               0.0             0.0         NA\r\n"
        "   1994               3.0             3.0      1.000000     NA        NA        NA\r\n"
        "\n"
        "   1995              12.0             7.5      0.812500  0.050000  0.714508  0.910492\r\n" +
        Section("B", false) + trendHeader + "   1990               0.0             0.0         NA\r\n";
    EXPECT_EQ(report.reportText(), expected);

    const std::string expectedExport =
        "Group;Starting year of period;Exposed to risk at period start;Exposed to risk at period end;"
        "5-year survival;Standard error;CI lower limit;CI upper limit\n"
        "A;1990;10.5;4.0;0.500000;0.100000;0.300000;0.700000\n"
        "A;1991;8.0;2.0;0.250000;NA;NA;NA\n"
        "A;1992;6.5;0.0;NA;;;\n"
        "A;1993;0.0;0.0;NA;;;\n"
        "A;1994;3.0;3.0;1.000000;NA;NA;NA\n"
        "A;1995;12.0;7.5;0.812500;0.050000;0.714508;0.910492\n"
        "B;1990;0.0;0.0;NA;;;\n";
    EXPECT_EQ(report.exportText(), expectedExport);
}
