#include <gtest/gtest.h>

#include "batch/BatchOptions.h"
#include "support/BatchProgram.h"

namespace kalderon {
namespace {

using testing::ProgramRun;
using testing::ReadBytes;

std::string ParseError(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "cases.txt");
    return batch::ParseCommandLine(arguments).error;
}

TEST(SurvivalSummaryOptionsTest, TimesConditionalAndAnOptionalRestrictionTime)
{
    batch::CommandLine line = batch::ParseCommandLine(
        {"--analysis", "productlimit", "--at", "1, 2.5,10", "--conditional=2", "--rmst", "cases.txt"});
    ASSERT_EQ(line.error, "");
    EXPECT_EQ(line.options.inputPath, "cases.txt");
    EXPECT_EQ(line.options.survivalAt, (std::vector<double>{1, 2.5, 10}));
    EXPECT_EQ(line.options.conditionalFrom, 2.0);
    EXPECT_TRUE(line.options.restrictedMean);
    EXPECT_EQ(line.options.restrictionTime, std::nullopt);
    line = batch::ParseCommandLine({"cases.txt", "--analysis", "productlimit", "--rmst", "4.5", "--summary-csv", "s.csv"});
    ASSERT_EQ(line.error, "");
    EXPECT_EQ(line.options.restrictionTime, 4.5);
    EXPECT_EQ(line.options.summaryCsvPath, "s.csv");

    EXPECT_EQ(ParseError({"--at", "1,,3"}), "--at needs times separated by commas: 1,,3");
    EXPECT_EQ(ParseError({"--conditional", "two"}), "--conditional needs a time: two");
    EXPECT_EQ(ParseError({"--rmst"}), "--rmst applies to --analysis productlimit only");
    EXPECT_EQ(ParseError({"--analysis", "trend", "--at", "5"}),
              "--at applies to --analysis lifetable, productlimit and period only");
    EXPECT_EQ(ParseError({"--summary-csv", "s.csv"}), "--summary-csv needs --at, --conditional or --rmst");
    EXPECT_EQ(ParseError({"--at", "1", "--conditional-png", "c.png"}), "--conditional-png needs --conditional");
}

class SurvivalSummaryBatchTest : public testing::BatchProgramTest {
protected:
    ProgramRun RunTiny(std::vector<std::string> arguments)
    {
        for (const char* argument : {"data/examples/tiny.txt", "--group", "4", "--event", "1"})
            arguments.push_back(argument);
        return Run(arguments);
    }
};

// The sections follow the unchanged report; the export stays as it is and
// the sections' export goes to a file of its own.  The values are those of
// R's survival package (see the reference test of the computations).
TEST_F(SurvivalSummaryBatchTest, SectionsFollowTheUnchangedReportWithAnExportOfTheirOwn)
{
    const std::vector<std::pair<std::string, std::vector<std::string>>> runs = {
        {"tiny-productlimit", {"--analysis", "productlimit", "--at", "1,2,3", "--conditional", "1", "--rmst"}},
        {"tiny-lifetable", {"--at", "1,2,3", "--conditional", "1"}},
        {"tiny-net-productlimit",
         {"--analysis", "productlimit", "--sex", "5", "--birth", "6", "--relative", "--male", "1", "--method",
          "pohar-perme", "--at", "1,2,3", "--conditional", "1"}},
    };
    for (const auto& [name, options] : runs) {
        const std::string csv = dir.path(name + ".csv");
        const std::string summaryCsv = dir.path(name + "-summary.csv");
        std::vector<std::string> arguments = options;
        for (const std::string& more : {std::string("--csv"), csv, std::string("--summary-csv"), summaryCsv})
            arguments.push_back(more);
        const ProgramRun run = RunTiny(arguments);
        ASSERT_EQ(run.exitCode, 0) << name << run.err;
        EXPECT_EQ(run.err, "");
        const std::string report = Expected(name + ".txt");
        EXPECT_EQ(run.out.substr(0, report.size()), report) << name;
        EXPECT_EQ(run.out, Expected(name + "-summary.txt")) << name;
        EXPECT_EQ(ReadBytes(csv), Expected(name + ".csv")) << name;
        EXPECT_EQ(ReadBytes(summaryCsv), Expected(name + "-summary.csv")) << name;
    }
}

TEST_F(SurvivalSummaryBatchTest, RefusalsAndTheConditionalChart)
{
    ProgramRun run = RunTiny({"--at", "1,2.5"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("Survival at 2.5: a life table gives survival only at the end of its intervals"),
              std::string::npos)
        << run.err;

    run = RunTiny({"--analysis", "productlimit", "--rmst", "5"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Restricted mean survival time up to 5: the follow-up of group B ends at 3.99726."),
              std::string::npos)
        << run.err;

    const std::string png = dir.path("conditional.png");
    run = RunTiny({"--analysis", "productlimit", "--conditional", "1", "--conditional-png", png, "--size", "400x300"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadBytes(png).substr(1, 3), "PNG");
}

}  // namespace
}  // namespace kalderon
