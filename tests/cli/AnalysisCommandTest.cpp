#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "analysis/AnalysisCommand.h"
#include "batch/BatchOptions.h"
#include "batch/CaseChoiceInput.h"
#include "batch/PreparedRun.h"
#include "support/BatchProgram.h"

namespace kalderon {
namespace {

using testing::ProgramRun;

class AnalysisCommandTest : public testing::BatchProgramTest {
protected:
    // The arguments that state the analysis a command line runs, as a
    // results window states it: read, chosen and prepared by the steps the
    // desktop program takes, then written back.
    std::vector<std::string> Stated(const std::vector<std::string>& arguments)
    {
        const batch::CommandLine line = batch::ParseCommandLine(arguments);
        EXPECT_EQ(line.error, "");
        const batch::BatchOptions& options = line.options;
        std::ostringstream out, err;
        DataSet dataSet;
        CaseChoice choice;
        batch::AnalysisToRun run;
        EXPECT_FALSE(batch::ReadInput(options, dataSet, out, err)) << err.str();
        EXPECT_FALSE(batch::ReadCaseChoice(options, dataSet, choice, err)) << err.str();
        if (choice.any()) ApplyCaseChoice(dataSet, choice);
        EXPECT_FALSE(batch::PrepareAnalysis(options, dataSet, run, err)) << err.str();
        return CommandLineArguments(
            AnalysisFileOf({dataSet, choice, run.request, options.population.databasePath, run.coxModel}));
    }
};

// rdata's cases in fixed columns: the begin as YYYYMMDD, the end as
// DD.MM.YYYY, the birth as DD/MM/YYYY.
std::string FixedColumnsFile(const std::string& path)
{
    std::ifstream in(std::string(KALDERON_SOURCE_DIR) + "/data/examples/rdata.txt");
    std::ofstream file(path);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> f(1);
        for (char c : line) {
            if (c == ';')
                f.emplace_back();
            else
                f.back().push_back(c);
        }
        const std::string begin = f[0].substr(6, 4) + f[0].substr(3, 2) + f[0].substr(0, 2);
        std::string birth = f[5];
        birth[2] = birth[5] = '/';
        file << begin << f[1] << f[2] << (f[3] + "     ").substr(0, 5) << f[4] << birth << "\n";
    }
    return path;
}

// The arguments a window states run the same analysis as the command line
// that read the data, for the layouts of text files and database tables,
// selections and groupings in any order and the relative survival options.
TEST_F(AnalysisCommandTest, StatedArgumentsWriteTheSameReport)
{
    const std::string fixed = FixedColumnsFile(dir.path("fixed.txt"));
    const std::vector<std::vector<std::string>> commandLines = {
        {fixed, "--fixed", "--begin", "1-8:YYYYMMDD", "--end", "9-18", "--status", "19-19", "--group", "20-24", "--sex",
         "25-25", "--birth", "26-35:DD/MM/YYYY", "--relative", "--method", "hakulinen", "--male", "1", "--unit",
         "month"},
        {"tests/data/text/rdata-header.csv", "--header", "--separator", "auto", "--begin",
         "diagnosis_date:YYYY-MM-DD", "--end", "last_contact:YYYY-MM-DD", "--status", "vital_status", "--group",
         "age_group", "--sex", "sex", "--birth", "birth_date:YYYY-MM-DD", "--group-by", "age-groups=50,70",
         "--group-by", "age_group", "--where", "note!=x", "--analysis", "productlimit", "--at", "0.5,2.25"},
        {"data/examples/rdata.txt", "--group", "4", "--sex", "5", "--birth", "6", "--group-by", "file-groups",
         "--group-by", "begin-year-groups=1983,1985", "--relative", "--female", "2", "--standardise", "icss2",
         "--method", "pohar-perme"},
        {"tests/data/access/separate.mdb", "--separate-dates", "--begin", "-,BegM,BegY", "--end", "EndD,EndM,EndY",
         "--status", "Vital", "--event", "1"},
        {"tests/data/access/multi.mdb", "--table", "Alpha cases", "--begin", "BeginFU", "--end", "EndFU", "--status",
         "Status", "--group", "Stage", "--event", "1"},
    };
    for (const std::vector<std::string>& arguments : commandLines) {
        const ProgramRun expected = Run(arguments);
        ASSERT_EQ(expected.exitCode, 0) << arguments.front() << ": " << expected.err;
        const std::vector<std::string> stated = Stated(arguments);
        const ProgramRun again = Run(stated);
        ASSERT_EQ(again.exitCode, 0) << CommandLineText({stated.front(), {}}) << again.err;
        EXPECT_EQ(again.out, expected.out) << arguments.front();
    }
}

// The desktop's column selection of a table, stated by the fields' names.
TEST(AnalysisCommand, AssignedFieldsAreNamed)
{
    const std::vector<std::string> fields = {"BegD", "BegM", "BegY", "EndD", "EndM", "EndY", "Vital", "Gender"};
    CColumnAssignment assignment;
    assignment.dateInSeparateColumns = 1;
    using Role = CColumnAssignment::Role;
    for (const auto& [role, column] : std::vector<std::pair<Role, int>>{{Role::kBeginMonth, 1}, {Role::kBeginYear, 2},
                                                                      {Role::kEndDay, 3},     {Role::kEndMonth, 4},
                                                                      {Role::kEndYear, 5},    {Role::kStatus, 6},
                                                                      {Role::kSex, 7}})
        assignment[role] = column;
    const DatabaseRoles roles = RolesOfAssignment(assignment, fields);
    EXPECT_TRUE(roles.separateDates);
    EXPECT_EQ(roles.begin, "-,BegM,BegY");
    EXPECT_EQ(roles.end, "EndD,EndM,EndY");
    EXPECT_EQ(roles.status, "Vital");
    EXPECT_EQ(roles.sex, "Gender");
    EXPECT_EQ(roles.group + roles.birth, "");
}

TEST(AnalysisCommand, ArgumentsAreQuotedForTheShell)
{
    const AnalysisFile analysis{"my data/cases.txt", {{"where", {"stage=I,II", "name!=O'Neil"}}, {"compare", {}}}};
    EXPECT_EQ(CommandLineText(analysis),
              "kalderon-batch 'my data/cases.txt' --where stage=I,II --where 'name!=O'\\''Neil' --compare");
}

}  // namespace
}  // namespace kalderon
