#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/DatabaseEngine.h"
#include "results/WorkbookTables.h"
#include "support/RecordsetRows.h"
#include "support/TempDir.h"

using namespace kalderon;

namespace {

TEST(WorkbookSheetNamesTest, NamesAreValidAndUniqueRegardlessOfCase)
{
    WorkbookSheetNames names;
    EXPECT_EQ(names.Unique("a/b:c*d?e[f]g\\h"), "a_b_c_d_e_f_g_h");
    EXPECT_EQ(names.Unique("'quoted'"), "quoted");
    EXPECT_EQ(names.Unique(""), "Sheet");
    EXPECT_EQ(names.Unique("Group A"), "Group A");
    EXPECT_EQ(names.Unique("group a"), "group a (2)");
    EXPECT_EQ(names.Unique("GROUP A"), "GROUP A (3)");
    const std::string longName(40, 'x');
    EXPECT_EQ(names.Unique(longName), std::string(31, 'x'));
    EXPECT_EQ(names.Unique(longName), std::string(27, 'x') + " (2)");
    std::string accents;
    for (int i = 0; i < 40; ++i) accents += "\xC3\xA9";  // é: 31 characters are 62 bytes
    EXPECT_EQ(names.Unique(accents), accents.substr(0, 62));
}

// A table longer than a sheet goes on on further sheets under the same
// headings, which the first sheet's contents say, as they say the columns
// whose NA cells are past the notes a sheet may have.
TEST(WorkbookTablesTest, ALongTableContinuesOnFurtherSheets)
{
    kalderon::testing::TempDir dir;
    const std::string path = dir.path("long.xlsx");
    std::vector<std::string> contents;
    {
        WorkbookFile file(path);
        WorkbookSheetNames names;
        WorkbookTables tables(file, names, WorkbookLimits{3, 1});
        tables.Begin("Group A", "Group A", {"Time", "Standard error"});
        std::vector<WorkbookCell> cells(2);
        for (int row = 1; row <= 5; ++row) {
            cells[0] = WorkbookCell{WorkbookCell::kNumber, row + 0.25, 1, {}};
            cells[1] = WorkbookCell{WorkbookCell::kNotAvailable, 0.0, -1, "NA"};
            tables.Row(cells);
        }
        contents = tables.Contents();
        std::string reason;
        ASSERT_TRUE(file.Close(reason)) << reason;
    }
    const std::string noted = "\"Standard error\": the further empty cells are NA. NA: no standard error and no "
                              "confidence limits here (too few at risk, or the estimate is 0 or 1).";
    EXPECT_EQ(contents, (std::vector<std::string>{"Group A: Group A, 2 rows",
                                                  "Group A, column " + noted,
                                                  "The table of sheet \"Group A\" continues on sheet \"Group A (2)\".",
                                                  "Group A (2): Group A, 2 rows",
                                                  "Group A (2), column " + noted,
                                                  "The table of sheet \"Group A (2)\" continues on sheet \"Group A (3)\".",
                                                  "Group A (3): Group A, 1 rows"}));

    const DatabaseResult workbook = OpenDatabaseInProcess(path, kXlsxConnect);
    ASSERT_TRUE(workbook.ok());
    std::vector<std::string> sheets;
    for (const TableDefInfo& table : (*workbook)->TableDefs()) sheets.push_back(table.name);
    EXPECT_EQ(sheets, (std::vector<std::string>{"Group A$", "Group A (2)$", "Group A (3)$"}));
    std::vector<double> times;
    for (const std::string& sheet : sheets) {
        EXPECT_EQ((*workbook)->FieldNames(sheet).value(), (std::vector<std::string>{"Time", "Standard error"}));
        auto rows = (*workbook)->OpenTable(sheet);
        ASSERT_TRUE(rows.ok());
        for (const std::vector<FieldValue>& row : kalderon::testing::RowValues(**rows)) {
            EXPECT_EQ(row.at(0).type, VT_R8);
            times.push_back(row.at(0).real);
            EXPECT_EQ(row.at(1).type, VT_NULL);
        }
    }
    EXPECT_EQ(times, (std::vector<double>{1.25, 2.25, 3.25, 4.25, 5.25}));
}

// Numbers come back with every digit, texts with their markup and spaces.
TEST(WorkbookFileTest, NumbersKeepEveryDigitAndTextsTheirMarkup)
{
    kalderon::testing::TempDir dir;
    const std::string path = dir.path("digits.xlsx");
    const std::vector<double> numbers{1.0 / 3.0, 6.02214076e23, -1e-300};
    const std::vector<std::string> texts{"<a & \"b\">", " spaced ", "\xC3\xA9t\xC3\xA9"};
    {
        WorkbookFile file(path);
        const int sheet = file.AddSheet("Digits");
        file.Text(sheet, 0, 0, "Number");
        file.Text(sheet, 0, 1, "Text");
        for (size_t row = 0; row < numbers.size(); ++row) {
            file.Number(sheet, static_cast<long>(row) + 1, 0, numbers[row], 6);
            file.Text(sheet, static_cast<long>(row) + 1, 1, texts[row]);
        }
        std::string reason;
        ASSERT_TRUE(file.Close(reason)) << reason;
    }
    const DatabaseResult workbook = OpenDatabaseInProcess(path, kXlsxConnect);
    ASSERT_TRUE(workbook.ok());
    auto rows = (*workbook)->OpenTable("Digits$");
    ASSERT_TRUE(rows.ok());
    std::vector<double> readNumbers;
    std::vector<std::string> readTexts;
    for (const std::vector<FieldValue>& row : kalderon::testing::RowValues(**rows)) {
        readNumbers.push_back(row.at(0).real);
        readTexts.push_back(row.at(1).text);
    }
    EXPECT_EQ(readNumbers, numbers);
    EXPECT_EQ(readTexts, texts);
}

}  // namespace
