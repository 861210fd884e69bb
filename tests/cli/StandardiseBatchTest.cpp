#include <gtest/gtest.h>

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
