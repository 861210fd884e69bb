#include <gtest/gtest.h>

#include "support/BatchProgram.h"

namespace kalderon {
namespace {

using testing::ProgramRun;
using testing::ReadBytes;

class CoxRegressionBatchTest : public testing::BatchProgramTest {
protected:
    ProgramRun RunCox(std::vector<std::string> arguments)
    {
        for (const char* argument : {"tests/data/cox/ties.txt", "--header", "--birth", "birth", "--analysis", "cox"})
            arguments.push_back(argument);
        return Run(arguments);
    }
};

// The whole report and export of a stratified model with a factor, a
// collinear column and the derived age (its numbers are those of R, see
// tests/analysis/CoxRegressionTest.cpp), the curves in months with grade
// and marker at values given; the collinear column named on standard error.
TEST_F(CoxRegressionBatchTest, ReportAndExportOfAStratifiedModel)
{
    const std::string csv = dir.path("cox.csv");
    const ProgramRun run = RunCox({"--covariates", "stage,grade,marker,marker2,age", "--strata", "center",
                                   "--curves-by", "stage", "--unit", "month", "--curve-values", "grade=2,marker=0.5",
                                   "--csv", csv});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, Expected("cox-ties.txt"));
    EXPECT_EQ(ReadBytes(csv), Expected("cox-ties.csv"));
    EXPECT_NE(run.err.find("marker2 is a combination of the columns before it"), std::string::npos) << run.err;
}

TEST_F(CoxRegressionBatchTest, ModelOptionsAreChecked)
{
    ProgramRun run = RunCox({"--covariates", "stage,nothing"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("there is no field \"nothing\""), std::string::npos) << run.err;

    run = RunCox({"--covariates", "stage,grade", "--reference", "stage=V"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("the factor \"stage\" has no level \"V\""), std::string::npos) << run.err;

    run = RunCox({"--covariates", "stage,grade", "--curves-by", "stage", "--curve-values", "stage=II"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("it takes no curve value"), std::string::npos) << run.err;

    run = RunCox({"--covariates", "stage", "--curves-by", "grade"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("not of \"grade\""), std::string::npos) << run.err;

    run = RunCox({});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("--analysis cox needs --covariates"), std::string::npos) << run.err;

    run = Run({"tests/data/cox/ties.txt", "--header", "--ties", "breslow"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("--ties needs --analysis cox"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace kalderon
