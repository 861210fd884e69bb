#include <gtest/gtest.h>

#include "support/SameReports.h"

namespace kalderon {
namespace {

using testing::ReportAndExport;
using testing::RunForReportAndExport;

// tests/data/statistics/cases.* hold the first 500 cases of the example data
// set as Stata, SPSS and SAS write them (scripts/make-statistics-fixtures.R):
// named fields, dates as dates, the age group as a text, the sex as a
// labelled number.  Each gives the reports and exports of the text file.
class StatisticsFormatsTest : public testing::BatchProgramTest {};

TEST_F(StatisticsFormatsTest, EveryFormatGivesTheReportsOfTheTextFile)
{
    const std::string text = dir.Write("rdata-500.txt", testing::FirstExampleCases(500));
    const std::vector<std::string> byNumber = {"--group", "4", "--sex", "5", "--birth", "6", "--event", "1"};
    const std::vector<std::string> byName = {"--begin", "diagnosis_date", "--end",   "last_contact", "--status",
                                             "vital_status", "--group", "age_group", "--sex",   "sex",
                                             "--birth", "birth_date", "--event", "1"};
    // A portable file's names are of at most 8 capitals.
    const std::vector<std::string> byShortName = {"--begin", "DIAGDATE", "--end", "LASTSEEN", "--status", "STATUS",
                                                  "--group", "AGEGROUP", "--sex", "SEX", "--birth", "BIRTH",
                                                  "--event", "1"};
    for (const std::vector<std::string>& analysis :
         {std::vector<std::string>{"--analysis", "lifetable"},
          {"--analysis", "productlimit", "--unit", "month"},
          {"--analysis", "lifetable", "--relative", "--male", "1", "--population-table", "Slovenia 1930-2020"}}) {
        SCOPED_TRACE(analysis.back());
        std::vector<std::string> plain = byNumber;
        plain.insert(plain.end(), analysis.begin(), analysis.end());
        const ReportAndExport expected = RunForReportAndExport(dir, text, plain);
        EXPECT_NE(expected.report.find("Group 54-61"), std::string::npos);
        for (const std::string format : {"dta", "sav", "zsav", "sas7bdat", "xpt", "por"}) {
            SCOPED_TRACE(format);
            std::vector<std::string> named = format == "por" ? byShortName : byName;
            named.insert(named.end(), analysis.begin(), analysis.end());
            const ReportAndExport read =
                RunForReportAndExport(dir, "tests/data/statistics/cases." + format, named);
            EXPECT_EQ(read.report, expected.report);
            EXPECT_EQ(read.exported, expected.exported);
        }
    }
}

TEST_F(StatisticsFormatsTest, LabelledGroupsAreReportedByTheirLabels)
{
    const std::vector<std::string> bySex = {"--begin",  "diagnosis_date", "--end", "last_contact", "--status",
                                            "vital_status", "--group", "sex", "--event", "1"};
    for (const char* format : {"dta", "sav"}) {
        SCOPED_TRACE(format);
        const std::string report =
            RunForReportAndExport(dir, std::string("tests/data/statistics/cases.") + format, bySex).report;
        EXPECT_NE(report.find("Group male\r\n"), std::string::npos);
        EXPECT_NE(report.find("Group female\r\n"), std::string::npos);
        EXPECT_EQ(report.find("Group 1\r\n"), std::string::npos);
    }
}

}  // namespace
}  // namespace kalderon
