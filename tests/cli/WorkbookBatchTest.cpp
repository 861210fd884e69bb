#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/BatchProgram.h"

namespace kalderon {
namespace {

using testing::ProgramRun;
using testing::ShellQuoted;

// Debian's python3-openpyxl belongs to the system's Python, whatever else the PATH offers.
constexpr const char* kPython = "/usr/bin/python3";

bool HasOpenpyxl() { return std::system((std::string(kPython) + " -c 'import openpyxl' >/dev/null 2>&1").c_str()) == 0; }

class WorkbookBatchTest : public testing::BatchProgramTest {
protected:
    // Runs an analysis with --csv and --xlsx (and with `moreCsv`, which
    // names further export files, their options) and checks the workbook
    // against the exports with tests/results/check-workbook.py; its output.
    std::string Check(const std::string& name, std::vector<std::string> arguments, const std::vector<std::string>& moreCsv = {})
    {
        SCOPED_TRACE(name);
        const std::string xlsx = dir.path(name + ".xlsx");
        std::vector<std::string> exports{dir.path(name + ".csv")};
        arguments.insert(arguments.end(), {"--csv", exports[0], "--xlsx", xlsx});
        for (const std::string& option : moreCsv) {
            exports.push_back(dir.path(name + option + ".csv"));
            arguments.insert(arguments.end(), {option, exports.back()});
        }
        const ProgramRun run = Run(arguments);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        std::string command = std::string(kPython) + " " + ShellQuoted(std::string(KALDERON_SOURCE_DIR) + "/tests/results/check-workbook.py") +
                              " " + ShellQuoted(xlsx);
        for (const std::string& path : exports) command += " " + ShellQuoted(path);
        command += " >" + ShellQuoted(dir.path("check")) + " 2>&1";
        const int status = std::system(command.c_str());
        const std::string output = testing::ReadBytes(dir.path("check"));
        EXPECT_EQ(status, 0) << output;
        return output;
    }
};

// Every number of the workbooks of six analyses equals the exports' at
// their precision, shown with their decimals; NA cells are empty with a
// note; sheet names are valid and unique.
TEST_F(WorkbookBatchTest, WorkbooksHoldTheExportsNumbers)
{
    if (!HasOpenpyxl()) GTEST_SKIP() << "python3-openpyxl is not installed: the workbooks cannot be read back";
    const std::vector<std::string> rdata{"data/examples/rdata.txt", "--group", "4"};
    const std::vector<std::string> relative{"data/examples/rdata.txt", "--sex", "5", "--birth", "6", "--event", "1",
                                            "--relative", "--male", "1", "--population-table", "Slovenia 1930-2020"};
    const auto with = [](std::vector<std::string> base, const std::vector<std::string>& more) {
        base.insert(base.end(), more.begin(), more.end());
        return base;
    };
    Check("lifetable", with(rdata, {"--compare"}), {"--compare-csv"});
    Check("productlimit", with(rdata, {"--analysis", "productlimit", "--compare", "--at", "1,3,5", "--rmst", "10"}),
          {"--compare-csv", "--summary-csv"});
    Check("standardised", with(relative, {"--group", "4", "--standardise", "icss1", "--crude"}));
    Check("net", with(relative, {"--analysis", "productlimit", "--method", "pohar-perme"}));
    Check("cuminc", {"tests/data/cuminc/rdata3.txt", "--group", "4", "--analysis", "cuminc", "--event", "1",
                     "--competing", "2"});
    const std::string cox = Check("cox", {"tests/data/cox/ties.txt", "--header", "--birth", "birth", "--analysis", "cox", "--covariates",
                  "stage,grade,marker,marker2,age", "--strata", "center", "--curves-by", "stage"});
    EXPECT_NE(cox.find(" 7 NA cells checked"), std::string::npos) << cox;  // the collinear column's
}

}  // namespace
}  // namespace kalderon
