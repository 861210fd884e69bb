#include <gtest/gtest.h>

#include <sstream>

#include "support/SameReports.h"

namespace kalderon {
namespace {

using testing::ProgramRun;

// tests/data/text/rdata-header.csv holds the first 500 cases of the example
// data set as a registry hands them over: a line of field names, comma
// separators, ISO dates, an id and a note field of quoted texts with commas
// and doubled quotes, quoted age groups, CR LF line ends, and after case 251
// a line whose quote never closes.  Read by the names of its fields, it
// gives the reports and exports of the same cases in the original layout,
// where that line is a line of empty fields.
class HeaderTextBatchTest : public testing::BatchProgramTest {
protected:
    std::pair<std::string, std::string> Results(const std::string& input, std::vector<std::string> arguments,
                                                const std::string& expectedErr)
    {
        for (const char* argument : {"--event", "1"}) arguments.push_back(argument);
        testing::ReportAndExport read = testing::RunForReportAndExport(dir, input, arguments, expectedErr);
        return {read.report, read.exported};
    }
};

TEST_F(HeaderTextBatchTest, NamedFieldsOfAQuotedCsvReadAsTheOriginalLayout)
{
    const std::string originalPath = dir.Write("rdata-500.txt", testing::FirstExampleCases(500, 251));
    const std::string csvPath = "tests/data/text/rdata-header.csv";

    const std::vector<std::string> byNumber = {"--group", "4", "--sex", "5", "--birth", "6"};
    const std::vector<std::string> byName = {"--header",   "--separator",  "auto", "--begin",
                                             "diagnosis_date:YYYY-MM-DD", "--end", "last_contact:YYYY-MM-DD",
                                             "--status",   "vital_status", "--group", "age_group",
                                             "--sex",      "7",            "--birth", "birth_date:YYYY-MM-DD"};
    const std::string unclosed =
        "kalderon-batch: lines whose field in double quotes does not close on the line, kept as invalid cases: 1\n";
    for (const std::vector<std::string>& analysis :
         {std::vector<std::string>{"--analysis", "lifetable"}, {"--analysis", "productlimit", "--unit", "month"}}) {
        SCOPED_TRACE(analysis[1]);
        std::vector<std::string> plain = byNumber;
        std::vector<std::string> named = byName;
        plain.insert(plain.end(), analysis.begin(), analysis.end());
        named.insert(named.end(), analysis.begin(), analysis.end());
        const auto [expectedReport, expectedExport] = Results(originalPath, plain, "");
        const auto [report, exported] = Results(csvPath, named, unclosed);
        EXPECT_NE(expectedReport.find("Data records skipped due to invalid or missing items: 1"), std::string::npos);
        EXPECT_NE(expectedReport.find("Group 54-61"), std::string::npos);
        EXPECT_EQ(report, expectedReport);
        EXPECT_EQ(exported, expectedExport);
    }

    // A name the first line does not hold, and a name without --header.
    ProgramRun run = Run({csvPath, "--header", "--separator", "comma", "--status", "vital"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "kalderon-batch: " + csvPath +
                           ": the first line names no field \"vital\" (fields: id, diagnosis_date, last_contact, "
                           "note, vital_status, age_group, sex, birth_date)\n");
    run = Run({csvPath, "--separator", "comma", "--status", "vital_status"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "kalderon-batch: --status needs a field number (1, 2, ...): vital_status (see --help)\n");
}

}  // namespace
}  // namespace kalderon
