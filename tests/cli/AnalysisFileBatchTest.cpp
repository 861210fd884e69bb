#include <gtest/gtest.h>

#include <filesystem>

#include "support/BatchProgram.h"

namespace kalderon {
namespace {

using testing::ProgramRun;
using testing::ReadBytes;

class AnalysisFileBatchTest : public testing::BatchProgramTest {};

// An analysis written beside its data file keeps the data file's path
// relative to it, every option but the output ones, a repeated option as a
// list and a switch as true; run from the file, with or without options
// that replace its own, it gives the report of the same command line.
TEST_F(AnalysisFileBatchTest, WrittenRunAndReplaced)
{
    std::filesystem::copy_file(std::string(KALDERON_SOURCE_DIR) + "/data/examples/rdata.txt", dir.path("rdata.txt"));
    const std::string analysis = dir.path("survival.kan");
    const std::vector<std::string> options = {"--group", "4", "--sex", "5", "--birth", "6", "--relative", "--male",
                                              "1", "--where", "3=1", "--where", "age=50..80", "--crude"};
    std::vector<std::string> written = {dir.path("rdata.txt"), "--write-analysis-file", analysis};
    written.insert(written.end(), options.begin(), options.end());
    written.insert(written.end(), {"--report", dir.path("written.txt")});
    ASSERT_EQ(Run(written).exitCode, 0);
    EXPECT_EQ(ReadBytes(analysis), R"({
  "kalderon analysis": 1,
  "data": "rdata.txt",
  "options": {
    "group": "4",
    "sex": "5",
    "birth": "6",
    "relative": true,
    "male": "1",
    "where": [
      "3=1",
      "age=50..80"
    ],
    "crude": true
  }
}
)");

    std::vector<std::string> direct = {dir.path("rdata.txt")};
    direct.insert(direct.end(), options.begin(), options.end());
    const ProgramRun expected = Run(direct);
    ASSERT_EQ(expected.exitCode, 0) << expected.err;
    EXPECT_EQ(ReadBytes(dir.path("written.txt")), expected.out);
    const ProgramRun rerun = Run({"--analysis-file", analysis});
    ASSERT_EQ(rerun.exitCode, 0) << rerun.err;
    EXPECT_EQ(rerun.out, expected.out);

    direct.insert(direct.end(), {"--female", "2", "--no-stratified", "--unit", "month"});
    direct.erase(direct.begin() + 8, direct.begin() + 10);  // --male 1
    const ProgramRun replaced = Run({"--analysis-file", analysis, "--female", "2", "--no-stratified", "--unit", "month"});
    ASSERT_EQ(replaced.exitCode, 0) << replaced.err;
    EXPECT_EQ(replaced.out, Run(direct).out);
}

TEST_F(AnalysisFileBatchTest, FilesThatCannotBeRunSaySo)
{
    const auto refusal = [this](const std::string& text) {
        const std::string analysis = dir.Write("bad.kan", text);
        const ProgramRun run = Run({"--analysis-file", analysis});
        EXPECT_EQ(run.exitCode, 2);
        return run.err.substr(run.err.find(": ", run.err.find("bad.kan")) + 2);
    };
    EXPECT_EQ(refusal(R"({"kalderon analysis": 2, "data": "x.txt"})"),
              "the analysis file is of version 2, written by a later version of the program (see --help)\n");
    EXPECT_EQ(refusal(R"({"kalderon analysis": 1, "data": "bad.kan", "colour": "red"})"),
              "unknown key \"colour\" (see --help)\n");
    EXPECT_EQ(refusal(R"({"kalderon analysis": 1, "data": "bad.kan", "options": {"colour": "red"}})"),
              "unknown option \"colour\" (see --help)\n");
    EXPECT_EQ(refusal(R"({"kalderon analysis": 1, "data": "gone.txt"})"),
              "its data file " + dir.path("gone.txt") + " is not there (see --help)\n");
    EXPECT_EQ(refusal("survival"), "this is no analysis file (see --help)\n");
}

}  // namespace
}  // namespace kalderon
