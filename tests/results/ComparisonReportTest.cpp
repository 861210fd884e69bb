#include <gtest/gtest.h>

#include "analysis/ParameterChoices.h"
#include "results/ComparisonReport.h"
#include "stats/LifeTable.h"
#include "stats/ProductLimit.h"
#include "stats/TimeUnit.h"
#include "support/CaseListFactory.h"

using namespace kalderon;
using namespace kalderon::testing;

namespace {

ComparisonTexts Section(const std::vector<CCaseRecord>& rows, AnalysisKind kind, std::int32_t unit,
                        bool stratified = true)
{
    CAnalysisData data;
    const CaseList cases = BuildCaseList(data, rows, "cases.txt");
    ApplyParameterChoices(data, ParameterChoices{"1", unit, ".95"});
    if (kind == kProductLimit)
        EXPECT_EQ(ComputeProductLimit(data, cases, stratified), std::nullopt);
    else
        EXPECT_EQ(ComputeLifeTable(data, cases, stratified), std::nullopt);
    return WriteComparisonSection(CompareGroups(data, cases, kind, stratified), data.ciLevelText);
}

// Twenty deaths on days 1 to 20 in group A; group B is censored on day 30.
std::vector<CCaseRecord> SeparatedGroups()
{
    std::vector<CCaseRecord> rows;
    const DateValue begin = Ymd(2000, 1, 1);
    for (int i = 1; i <= 20; ++i) {
        rows.push_back(MakeCase(i, begin, DateValue::FromSerial(begin.serial() + i), "1", "A"));
        rows.push_back(MakeCase(20 + i, begin, DateValue::FromSerial(begin.serial() + 30), "0", "B"));
    }
    return rows;
}

TEST(ComparisonReport, ProductLimitTestsAndQuartilesInYears)
{
    const ComparisonTexts t = Section(TinyCases(), kProductLimit, kUnitYear);
    EXPECT_EQ(t.report,
              "\r\n\r\n"
              "Comparison of groups\r\n"
              "--------------------\r\n"
              "\r\n"
              "Log-rank test (Mantel-Haenszel)\r\n"
              "group                    cases     observed     expected\r\n"
              "--------------------  --------  -----------  -----------\r\n"
              "A                            6     4.000000     4.274459\r\n"
              "B                            6     4.000000     3.725541\r\n"
              "Chi-square: 0.0418   degrees of freedom: 1   p-value: 0.8380\r\n"
              "\r\n"
              "Peto-Peto test (events weighted by the product-limit estimate of all cases)\r\n"
              "group                    cases     observed     expected\r\n"
              "--------------------  --------  -----------  -----------\r\n"
              "A                            6     2.535714     3.111111\r\n"
              "B                            6     3.309524     2.734127\r\n"
              "Chi-square: 0.3223   degrees of freedom: 1   p-value: 0.5702\r\n"
              "\r\n"
              "Median and quartiles of survival time [years]   .95 CI limits\r\n"
              "group                 quantile  survival time        lower        upper\r\n"
              "--------------------  --------  -------------  -----------  -----------\r\n"
              "A                     25 %           1.497604     0.999316     3.496235\r\n"
              "A                     median         1.998631     1.497604           NA\r\n"
              "A                     75 %           3.496235     1.497604           NA\r\n"
              "B                     25 %           0.999316     0.996578     2.001369\r\n"
              "B                     median         1.500342     0.999316           NA\r\n"
              "B                     75 %                 NA     0.999316           NA\r\n");
    EXPECT_EQ(t.exportText,
              "Test;Group;Cases;Observed;Expected;Chi-square;Degrees of freedom;p-value\n"
              "Log-rank;A;6;4.000000;4.274459;0.04179851451;1;0.8380043222\n"
              "Log-rank;B;6;4.000000;3.725541;0.04179851451;1;0.8380043222\n"
              "Peto-Peto;A;6;2.535714;3.111111;0.3223309008;1;0.5702102147\n"
              "Peto-Peto;B;6;3.309524;2.734127;0.3223309008;1;0.5702102147\n"
              "Group;Quantile;Survival time;CI lower limit;CI upper limit\n"
              "A;25;1.497604;0.999316;3.496235\n"
              "A;50;1.998631;1.497604;NA\n"
              "A;75;3.496235;1.497604;NA\n"
              "B;25;0.999316;0.996578;2.001369\n"
              "B;50;1.500342;0.999316;NA\n"
              "B;75;NA;0.999316;NA\n");
}

const std::string kSeparatedTests =
    "\r\n\r\n"
    "Comparison of groups\r\n"
    "--------------------\r\n"
    "\r\n"
    "Log-rank test (Mantel-Haenszel)\r\n"
    "group                    cases     observed     expected\r\n"
    "--------------------  --------  -----------  -----------\r\n"
    "A                           20    20.000000     6.383932\r\n"
    "B                           20     0.000000    13.616068\r\n"
    "Chi-square: 46.5380   degrees of freedom: 1   p-value: <0.0001\r\n"
    "\r\n"
    "Peto-Peto test (events weighted by the product-limit estimate of all cases)\r\n"
    "group                    cases     observed     expected\r\n"
    "--------------------  --------  -----------  -----------\r\n"
    "A                           20    15.250000     5.250000\r\n"
    "B                           20     0.000000    10.000000\r\n"
    "Chi-square: 38.0952   degrees of freedom: 1   p-value: <0.0001\r\n"
    "\r\n";
const std::string kSeparatedTestsExport =
    "Test;Group;Cases;Observed;Expected;Chi-square;Degrees of freedom;p-value\n"
    "Log-rank;A;20;20.000000;6.383932;46.53803622;1;8.985719594e-12\n"
    "Log-rank;B;20;0.000000;13.616068;46.53803622;1;8.985719594e-12\n"
    "Peto-Peto;A;20;15.250000;5.250000;38.0952381;1;6.737436019e-10\n"
    "Peto-Peto;B;20;0.000000;10.000000;38.0952381;1;6.737436019e-10\n";

TEST(ComparisonReport, SmallPValuesAndHalfDaysAndLifeTables)
{
    // Peto-Peto by hand: A observes the weights (40 + 39 + ... + 21) / 40,
    // B expects 20 times 20 / 40.  Quartiles of 20 deaths on days 1..20 fall
    // in the middle of flat steps.
    ComparisonTexts t = Section(SeparatedGroups(), kProductLimit, kUnitDay);
    EXPECT_EQ(t.report, kSeparatedTests +
                            "Median and quartiles of survival time [days]   .95 CI limits\r\n"
                            "group                 quantile  survival time        lower        upper\r\n"
                            "--------------------  --------  -------------  -----------  -----------\r\n"
                            "A                     25 %                5.5          3.0         10.0\r\n"
                            "A                     median             10.5          6.0         15.0\r\n"
                            "A                     75 %               15.5         11.0         18.0\r\n"
                            "B                     25 %                 NA           NA           NA\r\n"
                            "B                     median               NA           NA           NA\r\n"
                            "B                     75 %                 NA           NA           NA\r\n");
    EXPECT_EQ(t.exportText, kSeparatedTestsExport +
                                "Group;Quantile;Survival time;CI lower limit;CI upper limit\n"
                                "A;25;5.5;3.0;10.0\n"
                                "A;50;10.5;6.0;15.0\n"
                                "A;75;15.5;11.0;18.0\n"
                                "B;25;NA;NA;NA\n"
                                "B;50;NA;NA;NA\n"
                                "B;75;NA;NA;NA\n");

    // The life table's tests are on the exact times too, whatever the unit.
    t = Section(SeparatedGroups(), kLifeTable, kUnitMonth);
    EXPECT_EQ(t.report, kSeparatedTests);
    EXPECT_EQ(t.exportText, kSeparatedTestsExport);
}

TEST(ComparisonReport, NoTestAndOneCurve)
{
    std::vector<CCaseRecord> censored;
    for (int i = 1; i <= 3; ++i)
        censored.push_back(MakeCase(i, Ymd(2000, 1, 1), Ymd(2001, 1, i), "0", i == 1 ? "A" : "B"));
    ComparisonTexts t = Section(censored, kLifeTable, kUnitYear);
    EXPECT_EQ(t.report,
              "\r\n\r\n"
              "Comparison of groups\r\n"
              "--------------------\r\n"
              "\r\n"
              "Log-rank test (Mantel-Haenszel)\r\n"
              "group                    cases     observed     expected\r\n"
              "--------------------  --------  -----------  -----------\r\n"
              "A                            1     0.000000     0.000000\r\n"
              "B                            2     0.000000     0.000000\r\n"
              "Chi-square: NA   degrees of freedom: 0   p-value: NA\r\n"
              "\r\n"
              "Peto-Peto test (events weighted by the product-limit estimate of all cases)\r\n"
              "group                    cases     observed     expected\r\n"
              "--------------------  --------  -----------  -----------\r\n"
              "A                            1     0.000000     0.000000\r\n"
              "B                            2     0.000000     0.000000\r\n"
              "Chi-square: NA   degrees of freedom: 0   p-value: NA\r\n"
              "\r\n");
    EXPECT_EQ(t.exportText,
              "Test;Group;Cases;Observed;Expected;Chi-square;Degrees of freedom;p-value\n"
              "Log-rank;A;1;0.000000;0.000000;NA;0;NA\n"
              "Log-rank;B;2;0.000000;0.000000;NA;0;NA\n"
              "Peto-Peto;A;1;0.000000;0.000000;NA;0;NA\n"
              "Peto-Peto;B;2;0.000000;0.000000;NA;0;NA\n");

    // All cases in one curve: no tests, the quartiles of all cases.
    t = Section(TinyCases(), kProductLimit, kUnitWeek, false);
    EXPECT_EQ(t.report,
              "\r\n\r\n"
              "Comparison of groups\r\n"
              "--------------------\r\n"
              "\r\n"
              "Median and quartiles of survival time [weeks]   .95 CI limits\r\n"
              "group                 quantile  survival time        lower        upper\r\n"
              "--------------------  --------  -------------  -----------  -----------\r\n"
              "all cases             25 %          52.142857    52.142857   104.428571\r\n"
              "all cases             median       104.285714    52.142857           NA\r\n"
              "all cases             75 %                 NA   104.285714           NA\r\n");
    EXPECT_EQ(t.exportText,
              "Group;Quantile;Survival time;CI lower limit;CI upper limit\n"
              "all cases;25;52.142857;52.142857;104.428571\n"
              "all cases;50;104.285714;52.142857;NA\n"
              "all cases;75;NA;104.285714;NA\n");

    // Analyses without a comparison have no section.
    CAnalysisData data;
    const CaseList cases = BuildCaseList(data, TinyCases());
    const ComparisonTexts none = WriteComparisonSection(CompareGroups(data, cases, kSmrSir, true), ".95");
    EXPECT_TRUE(none.report.empty());
    EXPECT_TRUE(none.exportText.empty());
}

}  // namespace
