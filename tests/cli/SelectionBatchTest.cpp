#include <gtest/gtest.h>

#include <sstream>

#include "support/SameReports.h"

namespace kalderon {
namespace {

using testing::ProgramRun;
using testing::ReadBytes;

// The example cases: begin;end;status;age group;sex;birth, dates DD.MM.YYYY.
struct ExampleCase {
    std::string line;
    std::vector<std::string> fields;
    int Day(int field, int piece) const { return std::stoi(fields[field].substr(piece == 0 ? 0 : piece == 1 ? 3 : 6)); }
    int BeginYear() const { return Day(0, 2); }
    int Age() const
    {
        const bool beforeBirthday = std::make_pair(Day(0, 1), Day(0, 0)) < std::make_pair(Day(5, 1), Day(5, 0));
        return Day(0, 2) - Day(5, 2) - (beforeBirthday ? 1 : 0);
    }
};

std::vector<ExampleCase> ExampleCases()
{
    std::istringstream file(ReadBytes(std::string(KALDERON_SOURCE_DIR) + "/data/examples/rdata.txt"));
    std::vector<ExampleCase> cases;
    for (std::string line; std::getline(file, line);) {
        ExampleCase c{line, {}};
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, ';');) c.fields.push_back(field);
        cases.push_back(c);
    }
    return cases;
}

// The selection and the groupings asked of kalderon-batch, and the same
// worked out case by case for a file holding only the cases selected with
// a column of their groups.
const std::vector<std::string> kSelection = {"--where", "age=40..84", "--where", "begin-year=1983..1986",
                                             "--where", "4!=71-95"};
constexpr const char* kSelectionLine = "Selection: age=40..84; begin-year=1983..1986; 4!=71-95\r\n";

bool Selected(const ExampleCase& c)
{
    return c.Age() >= 40 && c.Age() <= 84 && c.BeginYear() >= 1983 && c.BeginYear() <= 1986 &&
           c.fields[3] != "71-95";
}

struct Grouping {
    std::vector<std::string> arguments;
    std::string (*group)(const ExampleCase&);
};

const Grouping kCrossed{{"--group", "4,5"}, [](const ExampleCase& c) { return c.fields[3] + " / " + c.fields[4]; }};
const Grouping kIcss{{"--age-groups", "icss"}, [](const ExampleCase& c) -> std::string {
                         const int age = c.Age();
                         return age < 45 ? "15-44" : age < 55 ? "45-54" : age < 65 ? "55-64" : age < 75 ? "65-74" : "75+";
                     }};
const Grouping kPeriods{{"--begin-year-groups", "1983,1985"},
                        [](const ExampleCase& c) -> std::string { return c.BeginYear() < 1985 ? "1983-1984" : "1985+"; }};

class SelectionBatchTest : public testing::BatchProgramTest {
protected:
    // Runs the analysis on the example with the selection and `grouping`,
    // and on the file of the selected cases grouped by its last column;
    // the reports are to be the same apart from the file and selection lines.
    void ExpectSameAsSelectedFile(const Grouping& grouping, const std::vector<std::string>& analysis)
    {
        std::string selectedFile;
        for (const ExampleCase& c : ExampleCases())
            if (Selected(c)) selectedFile += c.line + ";" + grouping.group(c) + "\n";
        const std::string reference = dir.Write("selected.txt", selectedFile);

        std::vector<std::string> common = {"--sex", "5", "--birth", "6", "--event", "1"};
        common.insert(common.end(), analysis.begin(), analysis.end());
        std::vector<std::string> chosen = kSelection;
        chosen.insert(chosen.end(), grouping.arguments.begin(), grouping.arguments.end());
        chosen.insert(chosen.end(), common.begin(), common.end());
        std::vector<std::string> fromFile = {"--group", "7"};
        fromFile.insert(fromFile.end(), common.begin(), common.end());

        testing::ReportAndExport selected = testing::RunForReportAndExport(dir, "data/examples/rdata.txt", chosen);
        const testing::ReportAndExport expected = testing::RunForReportAndExport(dir, reference, fromFile);
        const size_t line = selected.report.find(kSelectionLine);
        ASSERT_NE(line, std::string::npos) << selected.report.substr(0, 300);
        EXPECT_EQ(selected.report.rfind("INPUT\r\n", line), line - 7);
        selected.report.erase(line, std::string(kSelectionLine).size());
        EXPECT_EQ(selected.report, expected.report);
        EXPECT_EQ(selected.exported, expected.exported);
        EXPECT_NE(expected.report.find("Data records read:"), std::string::npos);
    }
};

const std::vector<std::string> kPeriod = {"--period-begin", "01.01.1985", "--period-end", "31.12.1989"};
const std::vector<std::string> kRelative = {"--relative", "--male", "1", "--population-table", "Slovenia 1930-2020"};

std::vector<std::string> Joined(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(SelectionBatchTest, EveryAnalysisOfTheSelectedCasesIsThatOfAFileHoldingOnlyThem)
{
    ExpectSameAsSelectedFile(kCrossed, {"--analysis", "lifetable", "--compare"});
    ExpectSameAsSelectedFile(kIcss, {"--analysis", "productlimit", "--compare", "--at", "1,3"});
    ExpectSameAsSelectedFile(kPeriods, Joined({"--analysis", "period"}, kPeriod));
    ExpectSameAsSelectedFile(kCrossed, {"--analysis", "trend", "--years", "3", "--width", "2"});
    ExpectSameAsSelectedFile(kPeriods, Joined({"--analysis", "lifetable", "--standardise", "icss1"}, kRelative));
    ExpectSameAsSelectedFile(kCrossed, Joined({"--analysis", "productlimit", "--method", "hakulinen"}, kRelative));
    ExpectSameAsSelectedFile(kIcss, Joined(Joined({"--analysis", "period", "--method", "pohar-perme"}, kPeriod), kRelative));
    ExpectSameAsSelectedFile(kIcss, {"--analysis", "smr", "--male", "1"});
    ExpectSameAsSelectedFile(kCrossed, {"--analysis", "cuminc", "--competing", "0", "--technique", "productlimit"});
}

TEST_F(SelectionBatchTest, ConditionsAndGroupingsThatCannotBeUsedAreRefusedByName)
{
    const auto refused = [&](std::vector<std::string> arguments, const std::string& named) {
        arguments.insert(arguments.begin(), "data/examples/rdata.txt");
        const ProgramRun run = Run(arguments);
        EXPECT_EQ(run.exitCode, 2) << named;
        EXPECT_NE(run.err.find(named), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty());
    };
    refused({"--where", "stage=1,2"}, "the condition \"stage=1,2\": there is no field \"stage\"");
    refused({"--where", "9=1"}, "there is no field \"9\"");
    refused({"--where", "4=a..b"}, "the condition \"4=a..b\": the ends of the range read neither as numbers");
    refused({"--where", "1=01.01.1983..1984"}, "\"1=01.01.1983..1984\"");
    refused({"--where", "age<=50"}, "the condition \"age<=50\" has an unknown operator");
    refused({"--where", "age"}, "the condition \"age\" has an unknown operator");
    refused({"--where", "age=40..80"}, "\"age\" needs the date of birth");
    refused({"--age-groups", "icss"}, "--age-groups");
    refused({"--age-groups", "45,15"}, "--age-groups the cut points \"45,15\" are not whole numbers");
    refused({"--group", "4,nosuch"}, "--group: there is no field \"nosuch\"");
    refused({"--group", "4,5", "--begin-year-groups", "1983"}, "two fields or bands at most");
}

TEST_F(SelectionBatchTest, DatesSelectByRangeAndTheFileGroupCrossesBands)
{
    // Begin dates as a range of dates, the file's age-group column crossed
    // with periods of the begin year.
    const ProgramRun run = Run({"data/examples/rdata.txt", "--where", "1=01.01.1984..31.12.1984", "--group", "4",
                                "--begin-year-groups", "1984", "--event", "1"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("Selection: 1=01.01.1984..31.12.1984\r\n"), std::string::npos);
    int read = 0;
    for (const ExampleCase& c : ExampleCases()) read += c.BeginYear() == 1984 ? 1 : 0;
    size_t total = 0;
    for (size_t at = run.out.find("Data records read:\t"); at != std::string::npos;
         at = run.out.find("Data records read:\t", at + 1))
        total += std::stoul(run.out.substr(at + 19));
    EXPECT_EQ(total, static_cast<size_t>(read));
    EXPECT_NE(run.out.find("54-61 / 1984+"), std::string::npos);
}

}  // namespace
}  // namespace kalderon
