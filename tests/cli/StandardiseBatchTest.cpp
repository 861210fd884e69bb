#include <gtest/gtest.h>

#include <fstream>

#include "support/BatchProgram.h"

namespace kalderon {
namespace {

using testing::ProgramRun;

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
    EXPECT_EQ(run.err,
              "kalderon-batch: --standardise applies to --analysis lifetable and to period with --technique lifetable "
              "only (see --help)\n");
    EXPECT_TRUE(run.out.empty());
}

}  // namespace
}  // namespace kalderon
