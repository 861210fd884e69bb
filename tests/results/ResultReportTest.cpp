#include <gtest/gtest.h>

#include <algorithm>

#include "results/ResultReport.h"
#include "stats/CaseList.h"
#include "stats/LifeTable.h"
#include "support/CaseFactory.h"

using namespace kalderon;
using kalderon::testing::MakeCase;
using kalderon::testing::Ymd;

namespace {

const char* const kStamp = "Monday 02. January 2006 15:04:05";

// Group A: 3 cases, the last two die in the first two years.  Group IIb:
// one follow-up ending in each of 7 years, deaths and censorings taking
// turns, and one row whose end lies before its begin.
CAnalysisData ComputedLifeTable(bool stratified, const std::string& level, int unit = 0)
{
    CAnalysisData data;
    data.eventCode = "1";
    data.timeUnit = unit;
    CaseListBuilder builder(data);
    const DateValue begin = Ymd(1990, 5, 1);
    const auto after = [&](int days) { return DateValue::FromSerial(begin.serial() + days); };
    const struct {
        int days;
        const char* status;
        const char* group;
    } rows[] = {{100, "1", "A"},    {200, "0", "A"},    {500, "1", "A"},    {30, "1", "IIb"},
                {400, "0", "IIb"},  {800, "1", "IIb"},  {1100, "0", "IIb"}, {1500, "1", "IIb"},
                {1900, "0", "IIb"}, {2200, "1", "IIb"}, {2300, "0", "IIb"}, {-3, "1", "IIb"}};
    int number = 1;
    for (const auto& r : rows) builder.Add(MakeCase(number++, begin, after(r.days), r.status, r.group));
    CaseList cases = builder.Finish();
    cases.sourcePath = "data/groups.txt";
    for (CGroupResult& g : data.groupResults) g.intervalTable.ciLevelText = level;
    EXPECT_EQ(ComputeLifeTable(data, cases, stratified), std::nullopt);
    return data;
}

const std::string kHeader =
    "Results (Life table / Cutler-Ederer)\r\n"
    "created on Monday 02. January 2006 15:04:05 from file\n"
    "data/groups.txt\r\n"
    "\r\n"
    "Coding of event of interest: 1\n"
    "\n\n";

const std::string kTableHeader95 =
    "                           exposed  survival  cumulative  standard    .95 CI limits\r\n"
    " year entered dead  cens.  to risk  rate      survival    error      lower     upper\r\n"
    "----- -------------------  -------  --------  ----------  --------  --------  --------\r\n";

const std::string kExportHeader =
    "Interval of follow-up;Entered;Died;Censored;Exposed to risk;Interval-specific survival;"
    "Cumulative survival;Standard error;CI lower limit;CI upper limit\n";

}  // namespace

TEST(ResultReport, LifeTableWithSeveralGroups)
{
    ResultReport report;
    report.SetResults(ComputedLifeTable(true, ".95"), kLifeTable, kStamp);

    const std::string expectedReport =
        kHeader +
        "Group A\r\n"
        "-------\r\n"
        "Data records read:\t3\r\n"
        "Data records valid:\t3\r\n"
        "Data records skipped due to invalid or missing items: 0\r\n"
        "\r\n" +
        kTableHeader95 +
        "    1     3     1     1        2.5  0.600000   0.600000   0.309839  0.000000  1.000000\r\n"
        "    2     1     1     0        1.0  0.000000   0.000000      NA        NA        NA\r\n"
        "\r\n\r\n"
        "Group IIb\r\n"
        "---------\r\n"
        "Data records read:\t9\r\n"
        "Data records valid:\t8\r\n"
        "Data records skipped due to invalid or missing items: 1\r\n"
        "\r\n" +
        kTableHeader95 +
        "    1     8     1     0        8.0  0.875000   0.875000   0.116927  0.645828  1.000000\r\n"
        "    2     7     0     1        6.5  1.000000   0.875000   0.116927  0.645828  1.000000\r\n"
        "    3     6     1     0        6.0  0.833333   0.729167   0.164976  0.405820  1.000000\r\n"
        "    4     5     0     1        4.5  1.000000   0.729167   0.164976  0.405820  1.000000\r\n"
        "    5     4     1     0        4.0  0.750000   0.546875   0.200580  0.153746  0.940004\r\n"
        "\n"
        "    6     3     0     1        2.5  1.000000   0.546875   0.200580  0.153746  0.940004\r\n"
        "    7     2     1     1        1.5  0.333333   0.182292   0.220856  0.000000  0.615160\r\n";
    EXPECT_EQ(report.reportText(), expectedReport);

    const std::string expectedExport =
        "Group;" + kExportHeader +
        "A;1;3;1;1;2.5;0.600000;0.600000;0.309839;0.000000;1.000000\n"
        "A;2;1;1;0;1.0;0.000000;0.000000;NA;NA;NA\n"
        "IIb;1;8;1;0;8.0;0.875000;0.875000;0.116927;0.645828;1.000000\n"
        "IIb;2;7;0;1;6.5;1.000000;0.875000;0.116927;0.645828;1.000000\n"
        "IIb;3;6;1;0;6.0;0.833333;0.729167;0.164976;0.405820;1.000000\n"
        "IIb;4;5;0;1;4.5;1.000000;0.729167;0.164976;0.405820;1.000000\n"
        "IIb;5;4;1;0;4.0;0.750000;0.546875;0.200580;0.153746;0.940004\n"
        "IIb;6;3;0;1;2.5;1.000000;0.546875;0.200580;0.153746;0.940004\n"
        "IIb;7;2;1;1;1.5;0.333333;0.182292;0.220856;0.000000;0.615160\n";
    EXPECT_EQ(report.exportText(), expectedExport);
    EXPECT_EQ(report.kind(), kLifeTable);
    EXPECT_EQ(report.data().groupResults.size(), 2u);
}

TEST(ResultReport, LifeTableWithOneGroupAtNinetyNinePercent)
{
    ResultReport report;
    report.SetResults(ComputedLifeTable(false, ".99"), kLifeTable, kStamp);

    const std::string expectedReport =
        kHeader +
        "Data records read:\t12\r\n"
        "Data records valid:\t11\r\n"
        "Data records skipped due to invalid or missing items: 1\r\n"
        "\r\n"
        "                           exposed  survival  cumulative  standard    .99 CI limits\r\n"
        " year entered dead  cens.  to risk  rate      survival    error      lower     upper\r\n"
        "----- -------------------  -------  --------  ----------  --------  --------  --------\r\n"
        "    1    11     2     1       10.5  0.809524   0.809524   0.121183  0.497381  1.000000\r\n"
        "    2     8     1     1        7.5  0.866667   0.701587   0.145352  0.327190  1.000000\r\n"
        "    3     6     1     0        6.0  0.833333   0.584656   0.161449  0.168796  1.000000\r\n"
        "    4     5     0     1        4.5  1.000000   0.584656   0.161449  0.168796  1.000000\r\n"
        "    5     4     1     0        4.0  0.750000   0.438492   0.175171  0.000000  0.889698\r\n"
        "\n"
        "    6     3     0     1        2.5  1.000000   0.438492   0.175171  0.000000  0.889698\r\n"
        "    7     2     1     1        1.5  0.333333   0.146164   0.178591  0.000000  0.606178\r\n";
    EXPECT_EQ(report.reportText(), expectedReport);

    const std::string expectedExport =
        kExportHeader +
        "1;11;2;1;10.5;0.809524;0.809524;0.121183;0.497381;1.000000\n"
        "2;8;1;1;7.5;0.866667;0.701587;0.145352;0.327190;1.000000\n"
        "3;6;1;0;6.0;0.833333;0.584656;0.161449;0.168796;1.000000\n"
        "4;5;0;1;4.5;1.000000;0.584656;0.161449;0.168796;1.000000\n"
        "5;4;1;0;4.0;0.750000;0.438492;0.175171;0.000000;0.889698\n"
        "6;3;0;1;2.5;1.000000;0.438492;0.175171;0.000000;0.889698\n"
        "7;2;1;1;1.5;0.333333;0.146164;0.178591;0.000000;0.606178\n";
    EXPECT_EQ(report.exportText(), expectedExport);
}

TEST(ResultReport, LifeTableHeaderOfEveryUnit)
{
    const char* const unitLines[] = {
        " year entered dead  cens.  to risk  rate      survival    error      lower     upper\r\n",
        "month entered dead  cens.  to risk  rate      survival    error      lower     upper\r\n",
        " week entered dead  cens.  to risk  rate      survival    error      lower     upper\r\n",
        " day  entered dead  cens.  to risk  rate      survival    error      lower     upper\r\n",
    };
    for (int unit = 0; unit < 4; ++unit) {
        SCOPED_TRACE(unit);
        const CAnalysisData data = ComputedLifeTable(false, ".95", unit);
        ResultReport report;
        report.SetResults(data, kLifeTable, kStamp);
        const std::string& text = report.reportText();
        const std::string expectedHeader =
            "                           exposed  survival  cumulative  standard    .95 CI limits\r\n" +
            std::string(unitLines[unit]) +
            "----- -------------------  -------  --------  ----------  --------  --------  --------\r\n";
        const size_t header = text.find(expectedHeader);
        ASSERT_NE(header, std::string::npos);
        // Every interval up to the longest follow-up was entered by someone:
        // one row per interval, and a blank line after every fifth.
        const size_t intervals = data.groupResults[0].countsAll.size();
        size_t lines = 0, blanks = 0;
        for (size_t at = header + expectedHeader.size(); at < text.size(); ++at) {
            if (text.compare(at, 2, "\r\n") == 0) ++lines;
            if (text.compare(at, 2, "\n\n") == 0) ++blanks;
        }
        EXPECT_EQ(lines, intervals);
        EXPECT_EQ(blanks, intervals / 5);
        const std::string exportText = report.exportText();
        EXPECT_EQ(std::count(exportText.begin(), exportText.end(), '\n'),
                  static_cast<long>(intervals + 1));
    }
}

namespace {

std::string HeaderOnly(const CAnalysisData& data, AnalysisKind kind)
{
    ResultReport report;
    report.SetResults(data, kind, kStamp);
    EXPECT_TRUE(report.exportText().empty());
    return report.reportText();
}

std::string TitleBlock(const std::string& name)
{
    return "Results (" + name + ")\r\ncreated on " + kStamp + " from file\nd.txt\r\n\r\nCoding of event of interest: D\n";
}

}  // namespace

TEST(ResultReport, HeaderOfEveryAnalysis)
{
    // Without groups there are no sections: the report is its header.
    CAnalysisData data;
    data.title = "d.txt";
    data.eventCode = "D";
    data.sexCodes = {"m", "f"};
    data.sexCodeFirst = "f";
    data.populationTableName = "Country 1990";

    EXPECT_EQ(HeaderOnly(data, kLifeTable), TitleBlock("Life table / Cutler-Ederer") + "\n\n");
    EXPECT_EQ(HeaderOnly(data, kPeriodAnalysis), TitleBlock("Period analysis using life table techniques") + "\n\n");
    EXPECT_EQ(HeaderOnly(data, kTrend),
              TitleBlock("Period analysis by starting year of period using life table techniques") + "\n\n");
    EXPECT_EQ(HeaderOnly(data, kProductLimit), TitleBlock("Product-limit / Kaplan-Meier") + "\n\n");
    EXPECT_EQ(HeaderOnly(data, kSmrSir),
              TitleBlock("Standardized Mortality Ratio (SMR) / Standardized Incidence Ratio (SIR)") +
                  "Coding of sex:               Male = f, Female = m\n"
                  "Reference rate table used:   Country 1990\n\n\n");

    data.periodTechnique = 1;
    EXPECT_EQ(HeaderOnly(data, kPeriodAnalysis),
              TitleBlock("Period analysis using product-limit techniques") + "\n\n");
    EXPECT_EQ(HeaderOnly(data, kTrend),
              TitleBlock("Period analysis by starting year of period using product-limit techniques") + "\n\n");

    data.relativeSurvival = 1;
    EXPECT_EQ(HeaderOnly(data, kProductLimit),
              TitleBlock("Product-limit / Kaplan-Meier") +
                  "Coding of sex:               Male = f, Female = m\n"
                  "\n"
                  "Relative Survival\r\n"
                  "Method for estimating expected survival:  Ederer II\r\n"
                  "Population life tables used            :  Country 1990\r\n\n\n");
    data.useHakulinen = 1;
    data.closingDate = Ymd(2005, 12, 31);
    data.sexCodes = {"f", "m"};
    EXPECT_EQ(HeaderOnly(data, kLifeTable),
              TitleBlock("Life table / Cutler-Ederer") +
                  "Coding of sex:               Male = f, Female = m\n"
                  "\n"
                  "Relative Survival\r\n"
                  "Method for estimating expected survival:  Hakulinen (closing date: 31.12.2005)\r\n"
                  "Population life tables used            :  Country 1990\r\n\n\n");
}

TEST(ResultReport, SexCodingLine)
{
    CAnalysisData data;
    data.title = "d.txt";
    data.eventCode = "D";
    data.sexCodeFirst = "1";
    data.populationTableName = "R";
    const std::string title = TitleBlock("Standardized Mortality Ratio (SMR) / Standardized Incidence Ratio (SIR)");
    const std::string closing = "Reference rate table used:   R\n\n\n";

    data.sexCodes = {"1"};
    EXPECT_EQ(HeaderOnly(data, kSmrSir), title + "Coding of sex:               Male = 1\n" + closing);
    data.sexCodes = {"2"};
    EXPECT_EQ(HeaderOnly(data, kSmrSir), title + "Coding of sex:               Female = 2\n" + closing);
    data.sexCodes = {"2", "3", "1"};
    EXPECT_EQ(HeaderOnly(data, kSmrSir), title + "Coding of sex:               Male = 1, Female = 2\n" + closing);
    // No sex code at all: there is no female code to show.
    data.sexCodes = {};
    EXPECT_EQ(HeaderOnly(data, kSmrSir), title + "Coding of sex:               Male = 1, Female = \n" + closing);
}
