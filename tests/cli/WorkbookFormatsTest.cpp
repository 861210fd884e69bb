#include <gtest/gtest.h>

#include "support/SameReports.h"

namespace kalderon {
namespace {

using testing::ProgramRun;

// tests/data/workbooks holds the first 500 cases of the example data set
// under a row of field names, with an empty row after case 251, as
// scripts/make-office-fixtures.py made them with the real tools: an .xlsx
// with date cells and a second sheet, an .xlsx of the 1904 date system with
// a built-in date format, and the first saved by LibreOffice as .ods and
// that saved again as .xlsx.  Births before 1900 are negative day numbers in the .xlsx
// files.
const std::vector<std::vector<std::string>> kWorkbooks = {
    {"tests/data/workbooks/cases.xlsx", "--table", "Cases$"},
    {"tests/data/workbooks/cases-1904.xlsx"},
    {"tests/data/workbooks/cases-libre.xlsx", "--table", "Cases$"},
    {"tests/data/workbooks/cases.ods", "--table", "cases$"},
};

class WorkbookFormatsTest : public testing::BatchProgramTest {
protected:
    std::pair<std::string, std::string> Results(std::vector<std::string> arguments)
    {
        const std::string input = arguments.front();
        arguments.erase(arguments.begin());
        for (const char* argument : {"--event", "1"}) arguments.push_back(argument);
        testing::ReportAndExport read = testing::RunForReportAndExport(dir, input, arguments);
        return {read.report, read.exported};
    }
};

TEST_F(WorkbookFormatsTest, EveryWorkbookGivesTheReportsAndExportsOfItsTextFile)
{
    const std::string originalPath = dir.Write("rdata-500.txt", testing::FirstExampleCases(500, 251));

    const std::vector<std::string> byNumber = {originalPath, "--group", "4", "--sex", "5", "--birth", "6"};
    const std::vector<std::string> byName = {"--begin", "diagnosis_date", "--end", "last_contact", "--status",
                                             "vital_status", "--group", "age_group", "--sex", "sex", "--birth",
                                             "birth_date"};
    for (const std::vector<std::string>& analysis :
         {std::vector<std::string>{"--analysis", "lifetable"},
          {"--analysis", "productlimit", "--unit", "month"},
          {"--analysis", "lifetable", "--relative", "--male", "1"}}) {
        SCOPED_TRACE(analysis[1] + (analysis.size() > 2 ? " " + analysis[2] : std::string()));
        std::vector<std::string> plain = byNumber;
        plain.insert(plain.end(), analysis.begin(), analysis.end());
        const auto [expectedReport, expectedExport] = Results(plain);
        EXPECT_NE(expectedReport.find("Data records skipped due to invalid or missing items: 1"), std::string::npos);
        for (const std::vector<std::string>& workbook : kWorkbooks) {
            SCOPED_TRACE(workbook.front());
            std::vector<std::string> named = workbook;
            named.insert(named.end(), byName.begin(), byName.end());
            named.insert(named.end(), analysis.begin(), analysis.end());
            const auto [report, exported] = Results(named);
            EXPECT_EQ(report, expectedReport);
            EXPECT_EQ(exported, expectedExport);
        }
    }

    // The sheets are the tables; the first row names the fields.
    ProgramRun run = Run({"tests/data/workbooks/cases.xlsx", "--list-tables"});
    EXPECT_EQ(run.out, "Cases$\nNotes$\n");
    run = Run({"tests/data/workbooks/cases.ods", "--list-fields", "--table", "Cases$"});
    EXPECT_EQ(run.out, "diagnosis_date\nlast_contact\nvital_status\nage_group\nsex\nbirth_date\n");
    std::vector<std::string> untold = {"tests/data/workbooks/cases.xlsx"};
    untold.insert(untold.end(), byName.begin(), byName.end());
    run = Run(untold);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("--table: Cases$, Notes$\n"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace kalderon
