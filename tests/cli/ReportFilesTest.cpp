#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "support/BatchProgram.h"

namespace kalderon {
namespace {

using testing::ProgramRun;
using testing::ReadBytes;

class ReportFilesTest : public testing::BatchProgramTest {
protected:
    void WriteOld(const std::string& path)
    {
        std::ofstream(path, std::ios::binary) << "old";
    }
    ProgramRun RunTiny(const std::string& report, const std::string& csv)
    {
        return Run({"data/examples/tiny.txt", "--group", "4", "--event", "1", "--analysis", "productlimit",
                    "--report", report, "--csv", csv});
    }
    // Files of the test folder other than the program's captured output.
    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path("")))
            if (entry.path().filename() != "stdout" && entry.path().filename() != "stderr")
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

// The report and the export are written side by side but replace old files
// in order: the export only once the report is in place.
TEST_F(ReportFilesTest, TheExportReplacesItsFileOnlyAfterTheReport)
{
    const std::string report = dir.path("report.txt"), csv = dir.path("export.csv");
    WriteOld(report);
    WriteOld(csv);
    ProgramRun run = RunTiny(report, csv);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadBytes(report), Expected("tiny-productlimit.txt"));
    EXPECT_EQ(ReadBytes(csv), Expected("tiny-productlimit.csv"));
    EXPECT_EQ(Files(), (std::vector<std::string>{"export.csv", "report.txt"}));

    // A report that cannot be written leaves the old export.
    WriteOld(csv);
    run = RunTiny(dir.path("missing/report.txt"), csv);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("cannot write " + dir.path("missing/report.txt")), std::string::npos) << run.err;
    EXPECT_EQ(ReadBytes(csv), "old");
    EXPECT_EQ(Files(), (std::vector<std::string>{"export.csv", "report.txt"}));

    // An export that cannot be written still lets the report be written.
    WriteOld(report);
    run = RunTiny(report, dir.path("missing/export.csv"));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("cannot write " + dir.path("missing/export.csv")), std::string::npos) << run.err;
    EXPECT_EQ(ReadBytes(report), Expected("tiny-productlimit.txt"));
    EXPECT_EQ(Files(), (std::vector<std::string>{"export.csv", "report.txt"}));
}

// A report on standard output goes with an export written beside it.
TEST_F(ReportFilesTest, AReportOnStandardOutputWithAnExportFile)
{
    const std::string csv = dir.path("export.csv");
    const ProgramRun run = Run({"data/examples/tiny.txt", "--group", "4", "--event", "1", "--analysis",
                                "productlimit", "--csv", csv});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, Expected("tiny-productlimit.txt"));
    EXPECT_EQ(ReadBytes(csv), Expected("tiny-productlimit.csv"));
}

}  // namespace
}  // namespace kalderon
