#include <gtest/gtest.h>

#include "batch/BatchOptions.h"
#include "support/BatchProgram.h"

namespace kalderon {
namespace {

using testing::ProgramRun;
using testing::ReadBytes;

std::string ParseError(const std::vector<std::string>& arguments) { return batch::ParseCommandLine(arguments).error; }

TEST(CompareOptionsTest, OnlyTheGroupsOfAStratifiedLifeTableOrProductLimit)
{
    const batch::CommandLine line =
        batch::ParseCommandLine({"cases.txt", "--group", "4", "--compare", "--compare-csv=c.csv"});
    ASSERT_EQ(line.error, "");
    EXPECT_TRUE(line.options.compare);
    EXPECT_EQ(line.options.compareCsvPath, "c.csv");
    EXPECT_EQ(ParseError({"cases.txt", "--group", "4", "--analysis", "productlimit", "--stratified", "--compare"}), "");
    EXPECT_FALSE(batch::ParseCommandLine({"cases.txt", "--group", "4"}).options.compare);

    for (const char* analysis : {"period", "trend", "smr"})
        EXPECT_EQ(ParseError({"cases.txt", "--group", "4", "--sex", "5", "--birth", "6", "--analysis", analysis,
                              "--compare"}),
                  "--compare applies to --analysis lifetable and productlimit only")
            << analysis;
    EXPECT_EQ(ParseError({"cases.txt", "--compare"}), "--compare needs --group and a stratified analysis");
    EXPECT_EQ(ParseError({"cases.txt", "--group", "4", "--no-stratified", "--compare"}),
              "--compare needs --group and a stratified analysis");
    EXPECT_EQ(ParseError({"cases.txt", "--group", "4", "--compare-csv", "c.csv"}), "--compare-csv needs --compare");
    EXPECT_EQ(ParseError({"cases.txt", "--group", "4", "--compare", "--compare-csv="}),
              "--compare-csv needs a file name");
}

class CompareBatchTest : public testing::BatchProgramTest {
protected:
    // The tiny example by its groups with event code 1.
    ProgramRun RunTiny(std::vector<std::string> arguments)
    {
        for (const char* argument : {"data/examples/tiny.txt", "--group", "4", "--event", "1"})
            arguments.push_back(argument);
        return Run(arguments);
    }
};

TEST_F(CompareBatchTest, SectionFollowsTheUnchangedReportAndHasAnExportOfItsOwn)
{
    for (const std::string name : {"tiny-productlimit", "tiny-lifetable"}) {
        const std::string analysis = name == "tiny-productlimit" ? "productlimit" : "lifetable";
        const std::string csv = dir.path(name + ".csv");
        const std::string compareCsv = dir.path(name + "-compare.csv");
        const ProgramRun run =
            RunTiny({"--analysis", analysis, "--compare", "--csv", csv, "--compare-csv", compareCsv});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, "");
        const std::string report = Expected(name + ".txt");
        EXPECT_EQ(run.out.substr(0, report.size()), report) << name;
        EXPECT_EQ(run.out, Expected(name + "-compare.txt"));
        EXPECT_EQ(ReadBytes(csv), Expected(name + ".csv"));  // the export stays as it is
        EXPECT_EQ(ReadBytes(compareCsv), Expected(name + "-compare.csv"));
    }
}

TEST_F(CompareBatchTest, ReportFileAndRefusals)
{
    const std::string report = dir.path("report.txt");
    ProgramRun run = RunTiny({"--analysis", "productlimit", "--compare", "--report", report});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadBytes(report), Expected("tiny-productlimit-compare.txt"));

    run = RunTiny({"--analysis", "period", "--compare"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("--compare applies to --analysis lifetable and productlimit only"), std::string::npos)
        << run.err;

    run = RunTiny({"--compare", "--compare-csv", dir.path("missing/compare.csv")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("cannot write " + dir.path("missing/compare.csv")), std::string::npos) << run.err;
}

}  // namespace
}  // namespace kalderon
