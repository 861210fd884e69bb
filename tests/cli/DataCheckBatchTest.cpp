#include <gtest/gtest.h>

#include <fstream>

#include "support/BatchProgram.h"

namespace kalderon {
namespace {

using testing::ProgramRun;

class DataCheckBatchTest : public testing::BatchProgramTest {};

// The clock of the runs says November 2023: 2024 is a year to come.
TEST_F(DataCheckBatchTest, ImplausibleDatesGoToStandardErrorAndTheAnalysisRunsAsBefore)
{
    const std::string cases = dir.path("cases.txt");
    std::ofstream(cases) << "01.01.2000;31.12.2004;1;1;1;15.06.1950\n"
                            "01.01.0001;31.12.9999;0;1;1;15.06.1950\n"
                            "01.01.2001;31.12.2023;0;1;2;01.01.1903\n"
                            "\n"
                            "01.01.2001;01.01.2024;1;1;2;01.01.1900\n"
                            "01.01.2001;01.01.2024;1;1;2;01.01.2002\n"
                            "01.01.1999;31.12.2004;1;2;1;15.06.1950\n";
    const std::vector<std::string> lines = {
        "kalderon-batch: Data check: implausible dates (before 1850, after 2023, or an age below 0 or over 120 "
        "years) in 3 of 6 cases:\n",
        "kalderon-batch: case 2: begin of follow-up 01.01.1, end of follow-up 31.12.9999, born after the begin of "
        "follow-up, 8049 years old at the end of follow-up\n",
        "kalderon-batch: case 4: end of follow-up 01.01.2024, 124 years old at the end of follow-up\n",
        "kalderon-batch: case 5: end of follow-up 01.01.2024, born after the begin of follow-up\n",
    };
    std::string expected;
    for (const std::string& line : lines) expected += line;

    ProgramRun run = Run({cases, "--group", "4", "--sex", "5", "--birth", "6", "--event", "1"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, expected);
    // Every case stays as it was: those born after their begin are skipped,
    // the others are analysed.
    EXPECT_NE(run.out.find("Data records read:\t5\r\nData records valid:\t3\r\n"), std::string::npos)
        << run.out.substr(0, 800);

    // Without the birth column only the dates are looked at.
    run = Run({cases, "--group", "4", "--event", "1"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err,
              "kalderon-batch: Data check: implausible dates (before 1850, after 2023, or an age below 0 or over 120 "
              "years) in 3 of 6 cases:\n"
              "kalderon-batch: case 2: begin of follow-up 01.01.1, end of follow-up 31.12.9999\n"
              "kalderon-batch: case 4: end of follow-up 01.01.2024\n"
              "kalderon-batch: case 5: end of follow-up 01.01.2024\n");

    // Plausible data give no line at all.
    run = Run({"data/examples/rdata.txt", "--group", "4", "--sex", "5", "--birth", "6", "--event", "1"});
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
}

}  // namespace
}  // namespace kalderon
