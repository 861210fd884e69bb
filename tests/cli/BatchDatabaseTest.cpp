#include <gtest/gtest.h>

#include <filesystem>

#include "batch/BatchOptions.h"
#include "batch/DatabaseInputReader.h"
#include "resources/StringTable.h"
#include "support/BatchProgram.h"

namespace kalderon {
namespace {

using testing::ProgramRun;
using testing::TempDir;

const std::string kCases = "tests/data/access/cases.mdb";
const std::vector<std::string> kCaseFields = {"--begin", "BeginFU", "--end", "EndFU", "--status", "Status"};

std::vector<std::string> Args(std::vector<std::string> head, const std::vector<std::string>& tail = kCaseFields)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string GroupCounts(const std::string& group, int read, int valid)
{
    return "Group " + group + "\r\n" + std::string(6 + group.size(), '-') + "\r\nData records read:\t" +
           std::to_string(read) + "\r\nData records valid:\t" + std::to_string(valid) + "\r\n";
}

class BatchDatabaseTest : public ::testing::Test {
protected:
    ProgramRun Run(const std::vector<std::string>& arguments) { return RunBatchProgram(dir, arguments); }

    TempDir dir;
};

TEST(BatchDatabaseOptions, FieldNamesForDatabaseFiles)
{
    batch::CommandLine line = batch::ParseCommandLine(
        {"X.MDB", "--table", "Patients", "--begin", "BeginFU", "--end=EndFU", "--status", "Status", "--group", "Stage"});
    ASSERT_EQ(line.error, "");
    EXPECT_TRUE(line.options.isDatabase);
    EXPECT_EQ(line.options.database.table, "Patients");
    EXPECT_EQ(line.options.database.begin, "BeginFU");
    EXPECT_EQ(line.options.database.end, "EndFU");
    EXPECT_EQ(line.options.database.group, "Stage");
    EXPECT_FALSE(line.options.database.separateDates);

    line = batch::ParseCommandLine({"x.dbf", "--separate-dates", "--begin", "-,M,Y", "--end", "D,M,Y", "--status", "S"});
    ASSERT_EQ(line.error, "");
    EXPECT_TRUE(line.options.database.separateDates);
    EXPECT_TRUE(batch::ParseCommandLine({"x.xls", "--list-tables"}).error.empty());

    EXPECT_NE(batch::ParseCommandLine({"x.mdb", "--begin", "B"}).error, "");  // end and status missing
    EXPECT_NE(batch::ParseCommandLine(Args({"x.mdb", "--separator", ","})).error, "");
    EXPECT_NE(batch::ParseCommandLine(Args({"x.dbf", "--table", "x"})).error, "");
    EXPECT_NE(batch::ParseCommandLine({"x.txt", "--list-tables"}).error, "");
    EXPECT_NE(batch::ParseCommandLine({"x.txt", "--table", "T"}).error, "");
}

TEST(BatchDatabaseOptions, NamesBecomeTheDialogsSelection)
{
    const std::vector<std::string> fields = {"D", "M", "Y", "Status", "sex"};
    batch::DatabaseInput input;
    input.separateDates = true;
    input.begin = "-,M,Y", input.end = "D,M,Y", input.status = "Status", input.sex = "SEX";
    batch::FieldSelection s = batch::SelectFieldsByName(input, fields);
    ASSERT_EQ(s.error, "");
    EXPECT_EQ(s.selection.beginDay, 1);  // "< Ignore >"
    EXPECT_EQ(s.selection.beginMonth, 2);
    EXPECT_EQ(s.selection.endDay, 2);    // field 0 in a day list
    EXPECT_EQ(s.selection.sex, 5);       // letter case does not matter when the name is unique
    // Begin and end share month and year: the dialog's rule says so.
    const std::optional<ColumnSelectionRefusal> refusal = CheckColumnSelection(s.selection);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->messageId, 301);
    EXPECT_STREQ(batch::OptionOfControl(refusal->focusControl), "--end");

    input.end = "D,M";
    EXPECT_NE(batch::SelectFieldsByName(input, fields).error, "");
    input.end = "D,M,Nope";
    EXPECT_TRUE(Contains(batch::SelectFieldsByName(input, fields).error, "\"Nope\""));
}

TEST_F(BatchDatabaseTest, LifeTableOfAnAccessTable)
{
    const ProgramRun run = Run(Args({kCases, "--group", "Stage", "--sex", "Sex", "--birth", "Birth", "--event", "1"}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // The data check names the case born after its begin.
    EXPECT_EQ(run.err,
              "kalderon-batch: Data check: implausible dates (before 1850, after 2023, or an age below 0 or over 120 "
              "years) in 1 of 26 cases:\nkalderon-batch: case 23: born after the begin of follow-up\n");
    EXPECT_TRUE(Contains(run.out, "from file\n" + kCases + " - Patients\r\n")) << run.out.substr(0, 200);
    // Rows 20 (no begin), 22 (end before begin), 23 (born after the begin)
    // and 24 (no birth date) are counted as skipped in their groups.
    EXPECT_TRUE(Contains(run.out, GroupCounts("I", 8, 6))) << run.out;
    EXPECT_TRUE(Contains(run.out, GroupCounts("II", 10, 9)));
    EXPECT_TRUE(Contains(run.out, GroupCounts("III", 7, 6)));
    EXPECT_TRUE(Contains(run.out, GroupCounts("i", 1, 1)));

    // Without the date of birth only rows 20 and 22 are skipped.
    const ProgramRun noBirth = Run(Args({kCases, "--event", "1", "--no-stratified"}));
    ASSERT_EQ(noBirth.exitCode, 0) << noBirth.err;
    EXPECT_TRUE(Contains(noBirth.out, "Data records read:\t26\r\nData records valid:\t24\r\n")) << noBirth.out;
}

TEST_F(BatchDatabaseTest, SeparateDateColumns)
{
    const std::string file = "tests/data/access/separate.mdb";
    ProgramRun run = Run(Args({file, "--separate-dates", "--event", "1"},
                              {"--begin", "BegD,BegM,BegY", "--end", "EndD,EndM,EndY", "--status", "Vital"}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "Data records read:\t17\r\nData records valid:\t12\r\n")) << run.out;

    // No day fields: 14 (day missing) and 15 (31 April) become the 15th and valid.
    run = Run(Args({file, "--separate-dates", "--event", "1"},
                   {"--begin", "-,BegM,BegY", "--end", "-,EndM,EndY", "--status", "Vital"}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "Data records read:\t17\r\nData records valid:\t14\r\n")) << run.out;

    run = Run(Args({file, "--separate-dates"}, {"--begin", "BegD,BegM,BegY", "--end", "EndD,BegM,EndY", "--status", "Vital"}));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "kalderon-batch: --end: " + LoadString(301) + "\n");
}

TEST_F(BatchDatabaseTest, ChoosingTheTable)
{
    const std::string multi = "tests/data/access/multi.mdb";
    ProgramRun run = Run(Args({multi}));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(Contains(run.err, "--table: Alpha cases, Mid, Zeta\n")) << run.err;

    run = Run(Args({multi, "--table", "Alpha cases", "--event", "1"}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, multi + " - Alpha cases\r\n"));
    EXPECT_TRUE(Contains(run.out, "Data records read:\t5\r\n"));

    run = Run({multi, "--list-tables"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "Alpha cases\nMid\nZeta\n");
    run = Run({multi, "--list-fields", "--table", "Mid"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "CaseNo\nBeginFU\nEndFU\nStatus\nStage\nSex\nBirth\n");

    run = Run(Args({multi, "--table", "Nope"}));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(Contains(run.err, "'Nope'")) << run.err;
    run = Run(Args({kCases}, {"--begin", "BeginFU", "--end", "BeginFU", "--status", "Status"}));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "kalderon-batch: --end: " + LoadString(301) + "\n");
    run = Run(Args({kCases}, {"--begin", "BeginFU", "--end", "Ende", "--status", "Status"}));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(Contains(run.err, "\"Ende\"")) << run.err;
}

TEST_F(BatchDatabaseTest, ExcelAndDbaseFiles)
{
    const std::string workbook = "tests/data/import/two_sheets.xls";
    ProgramRun run = Run(Args({workbook}));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(Contains(run.err, "Controls$, Patients$, Subset")) << run.err;
    run = Run(Args({workbook, "--table", "Patients$", "--event", "1"}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // Only the row without a begin is skipped; the begin typed as text is read.
    EXPECT_TRUE(Contains(run.out, "Data records read:\t6\r\nData records valid:\t5\r\n")) << run.out;

    run = Run({"tests/data/import/one_sheet.xls", "--begin", "Begin", "--end", "End", "--status", "Status", "--event", "1"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "one_sheet.xls - Cases$\r\n"));

    const std::string dbase = "tests/data/import/dbase/CASES.DBF";
    run = Run({dbase, "--begin", "BEGINFU", "--end", "ENDFU", "--status", "STATUS", "--event", "1"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "from file\n" + dbase + "\r\n"));
    EXPECT_TRUE(Contains(run.out, "Data records read:\t6\r\nData records valid:\t5\r\n")) << run.out;

    // Letter case of the extension does not matter; a long dBase name does.
    const std::string upper = dir.path("CASES.MDB");
    std::filesystem::copy_file(std::string(KALDERON_SOURCE_DIR) + "/" + kCases, upper);
    EXPECT_EQ(Run(Args({upper, "--event", "1"})).exitCode, 0);
    const std::string longName = dir.path("Patientdata.dbf");
    std::filesystem::copy_file(std::string(KALDERON_SOURCE_DIR) + "/" + dbase, longName);
    run = Run({longName, "--begin", "BEGINFU", "--end", "ENDFU", "--status", "STATUS"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "kalderon-batch: " + LoadString(322) + "\n");

    run = Run(Args({"tests/data/import/notmdb.mdb"}));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(Contains(run.err, "Unrecognized database format")) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
}

}  // namespace
}  // namespace kalderon
