#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "charts/ChartFileFormat.h"
#include "charts/LifeTableChart.h"
#include "support/BatchProgram.h"

namespace kalderon {
namespace {

using testing::ProgramRun;
using testing::ReadBytes;

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
    const ProgramRun plain = RunRdata({});
    const ProgramRun standardised = RunRdata({"--standardise", "icss1"});
    ASSERT_EQ(standardised.exitCode, 0) << standardised.err;
    EXPECT_EQ(standardised.out, Expected("rdata-icss1-lifetable.txt"));
    ASSERT_GT(standardised.out.size(), plain.out.size());
    EXPECT_EQ(standardised.out.substr(0, plain.out.size()), plain.out);

    // The section holds Ederer II and net survival whatever the method of
    // the group sections.
    const ProgramRun net = RunRdata({"--method", "pohar-perme", "--standardise", "icss1"});
    const ProgramRun netPlain = RunRdata({"--method", "pohar-perme"});
    ASSERT_EQ(net.exitCode, 0) << net.err;
    EXPECT_EQ(net.out.substr(0, netPlain.out.size()), netPlain.out);
    EXPECT_EQ(net.out.substr(netPlain.out.size()), standardised.out.substr(plain.out.size()));
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
    run = RunRdata({"--standardise", "icss3", "--analysis", "productlimit"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "kalderon-batch: --standardise applies to --analysis lifetable only (see --help)\n");
    EXPECT_TRUE(run.out.empty());
}

}  // namespace
}  // namespace kalderon
