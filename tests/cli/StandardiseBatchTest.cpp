#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "charts/ChartFileFormat.h"
#include "common/TextFormat.h"
#include "charts/LifeTableChart.h"
#include "support/BatchProgram.h"

namespace kalderon {
namespace {

using testing::ProgramRun;
using testing::ReadBytes;

// All cases begin with the period. Group A: two cases of each age group,
// of which one dies in the first year, except that both of 15-44 survive;
// and a child. Group B: only cases of 45-54, begun before the period.
constexpr const char* kPeriodAgeGroups = "01.01.1998;31.12.1999;0;A;1;15.06.1960\n"
                                         "01.01.1998;31.12.1999;0;A;2;01.01.1970\n"
                                         "01.01.1998;11.04.1998;1;A;1;01.01.1945\n"
                                         "01.01.1998;31.12.1999;0;A;2;01.01.1945\n"
                                         "01.01.1998;11.04.1998;1;A;2;29.02.1936\n"
                                         "01.01.1998;31.12.1999;0;A;1;29.02.1936\n"
                                         "01.01.1998;11.04.1998;1;A;1;10.10.1928\n"
                                         "01.01.1998;31.12.1999;0;A;2;10.10.1928\n"
                                         "01.01.1998;11.04.1998;1;A;2;20.03.1920\n"
                                         "01.01.1998;31.12.1999;0;A;1;20.03.1920\n"
                                         "01.01.1998;31.12.1999;0;A;1;20.03.1991\n"
                                         "01.01.1995;02.01.1999;1;B;1;20.03.1945\n"
                                         "01.01.1996;02.01.1999;0;B;2;20.03.1946\n";

class StandardiseBatchTest : public testing::BatchProgramTest {
protected:
    ProgramRun RunRdata(std::vector<std::string> more)
    {
        std::vector<std::string> arguments{"data/examples/rdata.txt", "--sex", "5", "--birth", "6", "--event", "1",
                                           "--relative", "--male", "1", "--population-table", "Slovenia 1930-2020"};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return Run(arguments);
    }
};

TEST_F(StandardiseBatchTest, SectionFollowsTheUnchangedReport)
{
    const ProgramRun plain = RunRdata({"--csv", dir.path("plain.csv")});
    const ProgramRun standardised = RunRdata({"--standardise", "icss1", "--csv", dir.path("standardised.csv")});
    ASSERT_EQ(standardised.exitCode, 0) << standardised.err;
    EXPECT_EQ(standardised.out, Expected("rdata-icss1-lifetable.txt"));
    ASSERT_GT(standardised.out.size(), plain.out.size());
    EXPECT_EQ(standardised.out.substr(0, plain.out.size()), plain.out);

    // The export of all cases has no group column.
    const std::string plainCsv = ReadBytes(dir.path("plain.csv"));
    const std::string csv = ReadBytes(dir.path("standardised.csv"));
    ASSERT_GT(csv.size(), plainCsv.size());
    EXPECT_EQ(csv.substr(0, plainCsv.size()), plainCsv);
    EXPECT_EQ(csv.substr(plainCsv.size(), 337),
              "Standardisation;Weight 15-44;Weight 45-54;Weight 55-64;Weight 65-74;Weight 75+\r\n"
              "ICSS 1;0.07;0.12;0.23;0.29;0.29\r\n"
              "Interval of follow-up;Cases under 15 left out;Cumulative survival;Standard error;"
              "Cumulative relative survival;Standard error;Cumulative net survival;Standard error\r\n"
              "1;0;0.873005;0.012164;0.916213;0.013171;0.918401;0.013221\r\n");

    // The section holds Ederer II and net survival whatever the method of
    // the group sections.
    const ProgramRun net = RunRdata({"--method", "pohar-perme", "--standardise", "icss1"});
    const ProgramRun netPlain = RunRdata({"--method", "pohar-perme"});
    ASSERT_EQ(net.exitCode, 0) << net.err;
    EXPECT_EQ(net.out.substr(0, netPlain.out.size()), netPlain.out);
    EXPECT_EQ(net.out.substr(netPlain.out.size()), standardised.out.substr(plain.out.size()));
    const ProgramRun hakulinen = RunRdata({"--method", "hakulinen", "--standardise", "icss1"});
    const ProgramRun hakulinenPlain = RunRdata({"--method", "hakulinen"});
    ASSERT_EQ(hakulinen.exitCode, 0) << hakulinen.err;
    EXPECT_EQ(hakulinen.out.substr(0, hakulinenPlain.out.size()), hakulinenPlain.out);
    EXPECT_EQ(hakulinen.out.substr(hakulinenPlain.out.size()), standardised.out.substr(plain.out.size()));
}

TEST_F(StandardiseBatchTest, PeriodPerGroupInTheReportAndTheExport)
{
    // Group B, of one age group, has no standardised estimate.
    const std::string input = dir.path("ages.txt");
    std::ofstream(input, std::ios::binary) << kPeriodAgeGroups;
    const std::vector<std::string> arguments{input,      "--group", "4", "--sex", "5", "--birth", "6",
                                             "--event",  "1",       "--relative", "--male", "1",
                                             "--analysis", "period", "--period-begin", "01.01.1998",
                                             "--period-end", "31.12.1999"};
    std::vector<std::string> plainArguments = arguments;
    plainArguments.insert(plainArguments.end(), {"--csv", dir.path("plain.csv")});
    const ProgramRun plain = Run(plainArguments);
    std::vector<std::string> standardisedArguments = arguments;
    standardisedArguments.insert(standardisedArguments.end(),
                                 {"--standardise", "icss3", "--csv", dir.path("standardised.csv")});
    const ProgramRun run = Run(standardisedArguments);
    ASSERT_EQ(plain.exitCode, 0) << plain.err;
    ASSERT_EQ(run.exitCode, 0) << run.err;

    // 15-44: S = 1 with SE 0; the others: S = 0.5, SE = 0.5 sqrt(1 / (2 x 1)).
    // Observed 0.6 + 0.4 x 0.5 = 0.8, SE sqrt(4 x 0.01 x 0.125) = 0.070711.
    ASSERT_EQ(run.out.substr(0, plain.out.size()), plain.out);
    EXPECT_EQ(run.out.substr(plain.out.size()),
              "\r\n\r\nAge-standardised survival, ICSS 3\r\n"
              "Weights: 15-44 0.60, 45-54 0.10, 55-64 0.10, 65-74 0.10, 75+ 0.10\r\n"
              "Relative survival after Ederer II, net survival after Pohar-Perme\r\n"
              "\r\nGroup A\r\nCases under 15 left out: 1\r\n"
              "Interval    Observed          SE    Relative          SE         Net          SE\r\n"
              "       1    0.800000    0.070711    0.805471    0.072359    0.849851    0.062230\r\n"
              "       2    0.800000    0.070711    0.811956    0.074396    0.858043    0.064109\r\n"
              "       3          NA          NA          NA          NA          NA          NA\r\n"
              "       4          NA          NA          NA          NA          NA          NA\r\n"
              "       5          NA          NA          NA          NA          NA          NA\r\n"
              "\r\nGroup B\r\nCases under 15 left out: 0\r\n"
              "Interval    Observed          SE    Relative          SE         Net          SE\r\n"
              "       1          NA          NA          NA          NA          NA          NA\r\n"
              "       2          NA          NA          NA          NA          NA          NA\r\n"
              "       3          NA          NA          NA          NA          NA          NA\r\n"
              "       4          NA          NA          NA          NA          NA          NA\r\n"
              "       5          NA          NA          NA          NA          NA          NA\r\n");

    // The export of the group sections stays as it is; the table follows.
    EXPECT_EQ(ReadBytes(dir.path("standardised.csv")),
              ReadBytes(dir.path("plain.csv")) +
                  "Standardisation;Weight 15-44;Weight 45-54;Weight 55-64;Weight 65-74;Weight 75+\r\n"
                  "ICSS 3;0.60;0.10;0.10;0.10;0.10\r\n"
                  "Group;Interval of follow-up;Cases under 15 left out;Cumulative survival;Standard error;"
                  "Cumulative relative survival;Standard error;Cumulative net survival;Standard error\r\n"
                  "A;1;1;0.800000;0.070711;0.805471;0.072359;0.849851;0.062230\r\n"
                  "A;2;1;0.800000;0.070711;0.811956;0.074396;0.858043;0.064109\r\n"
                  "A;3;1;NA;NA;NA;NA;NA;NA\r\n"
                  "A;4;1;NA;NA;NA;NA;NA;NA\r\n"
                  "A;5;1;NA;NA;NA;NA;NA;NA\r\n"
                  "B;1;0;NA;NA;NA;NA;NA;NA\r\n"
                  "B;2;0;NA;NA;NA;NA;NA;NA\r\n"
                  "B;3;0;NA;NA;NA;NA;NA;NA\r\n"
                  "B;4;0;NA;NA;NA;NA;NA;NA\r\n"
                  "B;5;0;NA;NA;NA;NA;NA;NA\r\n");
}

TEST_F(StandardiseBatchTest, PerGroupWithTheCasesUnder15LeftOut)
{
    // Group A: one case in each age group and a child of 4; group B: only
    // cases of 45-54, so that it has no standardised estimate.
    const std::string input = dir.path("ages.txt");
    std::ofstream(input, std::ios::binary) << "01.01.1995;01.07.1996;1;A;1;15.06.1960\n"
                                              "01.01.1995;31.12.1999;0;A;2;01.01.1945\n"
                                              "01.07.1996;01.07.1998;1;A;1;29.02.1936\n"
                                              "01.01.1998;01.01.1999;1;A;2;10.10.1928\n"
                                              "01.01.1998;02.01.2000;0;A;1;20.03.1920\n"
                                              "01.01.1995;02.01.1999;0;A;1;20.03.1991\n"
                                              "01.01.1995;02.01.1999;1;B;1;20.03.1945\n"
                                              "01.01.1996;02.01.1999;0;B;2;20.03.1946\n";
    const ProgramRun run = Run({input, "--group", "4", "--sex", "5", "--birth", "6", "--event", "1", "--relative",
                                "--male", "1", "--standardise", "icss3"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string section = run.out.substr(run.out.find("\r\n\r\nAge-standardised survival, ICSS 3\r\n"));
    EXPECT_EQ(section.substr(0, section.find("       3 ")),
              "\r\n\r\nAge-standardised survival, ICSS 3\r\n"
              "Weights: 15-44 0.60, 45-54 0.10, 55-64 0.10, 65-74 0.10, 75+ 0.10\r\n"
              "Relative survival after Ederer II, net survival after Pohar-Perme\r\n"
              "\r\nGroup A\r\nCases under 15 left out: 1\r\n"
              "Interval    Observed          SE    Relative          SE         Net          SE\r\n"
              // The case of 15-44 died in interval 1: no standard error.
              "       1    0.900000          NA    0.909272          NA    0.947284    0.037462\r\n"
              "       2          NA          NA          NA          NA          NA          NA\r\n");
    const size_t b = section.find("Group B\r\nCases under 15 left out: 0\r\n");
    ASSERT_NE(b, std::string::npos);
    EXPECT_NE(section.find("       1          NA          NA          NA          NA          NA          NA\r\n", b),
              std::string::npos);
}

// The chart draws the standardised net survival after the curve of all
// cases, with the values of the section; without standardisation it has the
// one curve.
TEST_F(StandardiseBatchTest, ChartFileHoldsTheStandardisedCurve)
{
    const std::string cht = dir.path("net.cht");
    const ProgramRun run = RunRdata({"--method", "pohar-perme", "--standardise", "icss1", "--chart", cht});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    LifeTableChart chart;
    ASSERT_EQ(ParseChartFile(ReadBytes(cht), chart), ChartFileStatus::kOk);
    EXPECT_EQ(chart.titleText, "Cumulative net survival");
    EXPECT_EQ(chart.seriesCount, 2);
    ASSERT_EQ(chart.analysis.groupResults.size(), 2u);
    EXPECT_EQ(chart.analysis.groupResults[1].info.code, "ICSS 1");
    const std::vector<CIntervalResult>& rows = chart.analysis.groupResults[1].intervalTable.rows;
    ASSERT_EQ(rows.size(), chart.analysis.groupResults[0].intervalTable.rows.size());

    const std::string heading = "Interval    Observed          SE    Relative          SE         Net          SE\r\n";
    size_t line = run.out.find(heading);
    ASSERT_NE(line, std::string::npos);
    line += heading.size();
    int passedOver = 0;
    for (const CIntervalResult& row : rows) {
        SCOPED_TRACE(row.intervalNumber);
        const std::string text = run.out.substr(line, run.out.find("\r\n", line) - line);
        line += text.size() + 2;
        int interval = 0;
        double observed = 0, observedSe = 0, relative = 0, relativeSe = 0, net = 0, netSe = 0;
        const int read = std::sscanf(text.c_str(), "%d %lf %lf %lf %lf %lf %lf", &interval, &observed, &observedSe,
                                     &relative, &relativeSe, &net, &netSe);
        EXPECT_EQ(row.intervalNumber, interval);
        if (read != 7) {  // no standardised value: left out of the curve
            EXPECT_NE(text.find("NA"), std::string::npos) << text;
            EXPECT_EQ(row.exposedToRisk, 0.0);
            ++passedOver;
            continue;
        }
        EXPECT_NEAR(row.cumulativeSurvival, observed, 5e-7);
        EXPECT_NEAR(row.relativeSurvival, net, 5e-7);
        EXPECT_NEAR(row.standardError, netSe, 5e-7);
        EXPECT_NEAR(row.lowerLimit, std::max(0.0, net - 1.95996 * netSe), 2e-6);
        EXPECT_GT(row.exposedToRisk, 0.0);
    }
    EXPECT_LT(passedOver, static_cast<int>(rows.size()));

    ASSERT_EQ(RunRdata({"--method", "pohar-perme", "--chart", cht}).exitCode, 0);
    ASSERT_EQ(ParseChartFile(ReadBytes(cht), chart), ChartFileStatus::kOk);
    EXPECT_EQ(chart.seriesCount, 1);
    EXPECT_EQ(chart.analysis.groupResults.size(), 1u);
}

TEST_F(StandardiseBatchTest, Refusals)
{
    ProgramRun run = RunRdata({"--standardise", "icss4"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "kalderon-batch: --standardise takes one of icss1, icss2, icss3: icss4 (see --help)\n");
    run = Run({"data/examples/rdata.txt", "--sex", "5", "--birth", "6", "--standardise", "icss1"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "kalderon-batch: --standardise needs --relative (see --help)\n");
    run = Run({"data/examples/rdata.txt", "--relative", "--standardise", "icss2"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err,
              "kalderon-batch: relative survival needs the sex and the date of birth of every case: give --sex and "
              "--birth (see --help)\n");
    for (const std::vector<std::string>& analysis : std::vector<std::vector<std::string>>{
             {"--analysis", "productlimit"},
             {"--analysis", "period", "--technique", "productlimit"},
             {"--analysis", "trend"},
             {"--analysis", "trend", "--technique", "lifetable"}}) {
        std::vector<std::string> arguments{"--standardise", "icss3"};
        arguments.insert(arguments.end(), analysis.begin(), analysis.end());
        run = RunRdata(arguments);
        EXPECT_EQ(run.exitCode, 2) << analysis[1];
        EXPECT_EQ(run.err,
                  "kalderon-batch: --standardise applies to --analysis lifetable and to period with --technique "
                  "lifetable only (see --help)\n");
        EXPECT_TRUE(run.out.empty());
    }
    run = RunRdata({"--analysis", "trend", "--standardise", "icss1", "--standardise-method", "brenner"});
    EXPECT_EQ(run.err,
              "kalderon-batch: --standardise-method brenner applies to --analysis lifetable, productlimit and period "
              "only (see --help)\n");
    run = RunRdata({"--standardise-method", "brenner"});
    EXPECT_EQ(run.err, "kalderon-batch: --standardise-method needs --standardise (see --help)\n");
    run = Run({"data/examples/rdata.txt", "--sex", "5", "--birth", "6", "--analysis", "smr", "--standardise", "icss1"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err,
              "kalderon-batch: --standardise applies to --analysis lifetable and to period with --technique lifetable "
              "only (see --help)\n");
}

// The product-limit of rdata with Brenner's weights of ICSS 1 as R's survfit
// gives it (tests/reference/weighted-product-limit.R), after the report of
// the product-limit as it is without standardisation.
TEST_F(StandardiseBatchTest, BrennerWeightsAfterTheUnchangedReportAsRSurvfit)
{
    const std::vector<std::string> productLimit{"--analysis", "productlimit", "--unit", "year"};
    std::vector<std::string> brenner = productLimit;
    brenner.insert(brenner.end(), {"--standardise", "icss1", "--standardise-method", "brenner", "--csv",
                                   dir.path("brenner.csv")});
    const ProgramRun plain = RunRdata(productLimit);
    const ProgramRun run = RunRdata(brenner);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_EQ(run.out.substr(0, plain.out.size()), plain.out);
    const std::string section = run.out.substr(plain.out.size());
    EXPECT_NE(section.find("Brenner's individual weights: product-limit, Ederer II and Pohar-Perme of the weighted "
                           "cases\r\n"),
              std::string::npos);
    EXPECT_NE(ReadBytes(dir.path("brenner.csv")).find("\r\nICSS 1, Brenner;0.07;0.12;0.23;0.29;0.29\r\n"),
              std::string::npos);

    std::ifstream reference(std::string(KALDERON_SOURCE_DIR) + "/tests/data/brenner/weighted-product-limit.txt");
    int compared = 0;
    for (std::string line; std::getline(reference, line);) {
        int year = 0, day = 0;
        double survival = 0, standardError = 0;
        if (std::sscanf(line.c_str(), "rdata;%d;%d;%lf;%lf", &year, &day, &survival, &standardError) != 4) continue;
        const std::string row = FormatText("\r\n%8d  ", year);
        const size_t at = section.find(row);
        ASSERT_NE(at, std::string::npos) << year;
        double s = 0, se = 0;
        ASSERT_EQ(std::sscanf(section.c_str() + at + row.size(), "%lf %lf", &s, &se), 2);
        EXPECT_NEAR(s, survival, 5e-7) << year;
        EXPECT_NEAR(se, standardError, 5e-7) << year;
        ++compared;
    }
    EXPECT_EQ(compared, 10);
}

// Group A gives the traditional table's value (each age group has two
// cases); group B, of one age group, has no weights.
TEST_F(StandardiseBatchTest, BrennerWeightsOfAPeriodAndOfAGroupWithoutThem)
{
    const std::string input = dir.path("ages.txt");
    std::ofstream(input, std::ios::binary) << kPeriodAgeGroups;
    for (const char* technique : {"lifetable", "productlimit"}) {
        SCOPED_TRACE(technique);
        const ProgramRun run =
            Run({input, "--group", "4", "--sex", "5", "--birth", "6", "--event", "1", "--relative", "--male", "1",
                 "--analysis", "period", "--technique", technique, "--period-begin", "01.01.1998", "--period-end",
                 "31.12.1999", "--standardise", "icss3", "--standardise-method", "brenner"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, "kalderon-batch: Age-standardised survival of group \"B\": an age group has no cases, so "
                           "that Brenner's weights are undefined.\n");
        EXPECT_NE(run.out.find("\r\nGroup A\r\nCases under 15 left out: 1\r\n"
                               "Interval    Observed          SE    Relative          SE         Net          SE\r\n"
                               "       1    0.800000    "),
                  std::string::npos);
        EXPECT_NE(run.out.find("\r\nGroup B\r\nCases under 15 left out: 0\r\n"
                               "An age group has no cases: Brenner's weights are undefined.\r\n"
                               "Interval    Observed          SE    Relative          SE         Net          SE\r\n"
                               "       1          NA          NA          NA          NA          NA          NA\r\n"),
                  std::string::npos);
    }
}

}  // namespace
}  // namespace kalderon
