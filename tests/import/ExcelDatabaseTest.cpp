#include <gtest/gtest.h>

#include <malloc.h>

#include "import/DatabaseImport.h"
#include "support/ImportFixtures.h"
#include "support/RecordsetRows.h"

using namespace kalderon;
using kalderon::testing::ImportFixture;
using kalderon::testing::RowTexts;
using kalderon::testing::DayNumber;
using kalderon::testing::RowValues;

namespace {

std::unique_ptr<Database> OpenWorkbook(const std::string& name)
{
    return OpenDatabase(ImportFixture(name), "Excel 8.0;").value();
}

// The fault of opening a workbook in this process.
ReaderFault FaultOfOpening(const std::string& name)
{
    const DatabaseResult db = OpenDatabaseInProcess(ImportFixture(name), "Excel 8.0;");
    EXPECT_FALSE(db.ok()) << name << " must be refused";
    return db ? ReaderFault() : db.fault();
}

std::vector<std::string> Names(const std::vector<TableDefInfo>& tables)
{
    std::vector<std::string> names;
    for (const TableDefInfo& t : tables) names.push_back(t.name);
    return names;
}

}  // namespace

TEST(ExcelDatabase, SheetsThenRanges)
{
    const auto db = OpenWorkbook("two_sheets.xls");
    EXPECT_EQ(Names(db->TableDefs()), (std::vector<std::string>{"Patients$", "Controls$", "Subset"}));
    const TableChoice choice = ChooseTableEntries(db->TableDefs());
    EXPECT_EQ(choice.entries, (std::vector<std::string>{"Controls$", "Patients$", "Subset"}));
    EXPECT_EQ(choice.takenAtOnce, "");

    // The only sheet and its same-named range are listed once and taken at once.
    const auto one = OpenWorkbook("one_sheet.xls");
    EXPECT_EQ(Names(one->TableDefs()), (std::vector<std::string>{"Cases$", "Cases"}));
    const TableChoice single = ChooseTableEntries(one->TableDefs());
    EXPECT_EQ(single.entries, std::vector<std::string>{"Cases$"});
    EXPECT_EQ(single.takenAtOnce, "Cases$");
}

TEST(ExcelDatabase, FirstRowNamesTheFields)
{
    const auto db = OpenWorkbook("two_sheets.xls");
    EXPECT_EQ(db->FieldNames("patients$").value(),
              (std::vector<std::string>{"BeginFU", "EndFU", "Status", "Stage", "Sex", "Birth", "F7"}));
    auto rows = db->OpenTable("Patients$");
    const auto values = RowValues(**rows);
    ASSERT_EQ(values.size(), 6u);
    EXPECT_EQ(values[0][0], FieldValue::Date(DayNumber(1990, 3, 12)));
    EXPECT_EQ(values[0][2], FieldValue::Double(1.0));  // a number that looks like an integer
    EXPECT_EQ(values[0][3], FieldValue::Text("I"));
    EXPECT_EQ(values[0][6], FieldValue::Text("note"));
    EXPECT_TRUE(values[1][6].isNull());  // empty cell
    EXPECT_EQ(values[2][2], FieldValue::Text("1"));
    EXPECT_TRUE(values[2][5].isNull());
    EXPECT_TRUE(values[3][0].isNull());
    EXPECT_EQ(values[4][0], FieldValue::Text("05.03.2001"));  // a date typed as text
    EXPECT_EQ(values[4][2], FieldValue::Text(" 1"));
    EXPECT_EQ(values[5][2], FieldValue::Double(1.5));
    EXPECT_EQ(values[5][5], FieldValue::Date(DayNumber(1948, 2, 29)));

    // A range: its first row names the fields, the rows of the range below it.
    EXPECT_EQ(db->FieldNames("Subset").value(), (std::vector<std::string>{"Status", "Stage", "Sex"}));
    auto subset = db->OpenTable("Subset");
    EXPECT_EQ(RowTexts(**subset), (std::vector<std::vector<std::string>>{{"1", "I", "1"}, {"0", "II", "2"}}));
}

TEST(ExcelDatabase, FailuresAreErrors)
{
    const DatabaseResult notXls = OpenDatabase(ImportFixture("notxls.xls"), "Excel 8.0;");
    ASSERT_FALSE(notXls.ok());
    EXPECT_EQ(ReaderFaultMessage(notXls.fault()), "External table is not in the expected format.   (3274)\n\n");
    EXPECT_FALSE(OpenDatabase(ImportFixture("missing.xls"), "Excel 8.0;").ok());
    EXPECT_FALSE(OpenWorkbook("one_sheet.xls")->OpenTable("Cases$$").ok());

    // A record whose length runs past the end of the workbook stream is
    // refused before the workbook reaches the library.
    const DatabaseResult recordLength = OpenDatabase(ImportFixture("damaged_record_length.xls"), "Excel 8.0;");
    ASSERT_FALSE(recordLength.ok()) << "a damaged record length must be refused";
    EXPECT_EQ(recordLength.fault().errorNumber, kDaoDamagedFile);
    EXPECT_EQ(recordLength.fault().description, "The workbook '" + ImportFixture("damaged_record_length.xls") +
                                                    "' is damaged: a record runs past its end.");

    // A container whose workbook stream cannot be found is not handed to
    // the library, which read past a buffer in it (in this process).
    EXPECT_EQ(FaultOfOpening("damaged-container.xls").errorNumber, kDaoNotExpectedFormat);
    // Nor one whose directory chain leads back to itself, through a sector
    // table that names its one sector 109 times: followed that far, the
    // chain would fill 457 MB.
    EXPECT_EQ(FaultOfOpening("damaged-chain-cycle.xls").errorNumber, kDaoNotExpectedFormat);
    // Nor is one whose root entry claims a name of 8224 bytes: the library
    // converted that many bytes from its 64-byte name field.
    EXPECT_EQ(FaultOfOpening("damaged-entry-name.xls").errorNumber, kDaoNotExpectedFormat);
    // A sheet that claims 50,331,648 rows: the library would size its cell
    // grid from that.
    const ReaderFault sheetSize = FaultOfOpening("damaged-sheet-size.xls");
    EXPECT_EQ(sheetSize.errorNumber, kDaoDamagedFile);
    EXPECT_EQ(sheetSize.description, "The workbook '" + ImportFixture("damaged-sheet-size.xls") +
                                         "' is damaged: a sheet claims more rows or columns than a sheet holds.");
    // A number format whose text claims 65,534 wide characters in a record of 15
    // bytes, and a sheet whose size record is empty: the library copied past
    // the record and placed cells outside its grid.
    const std::vector<std::pair<std::string, std::string>> damaged = {
        {"damaged-format-text.xls", "a text runs past the end of its record"},
        {"damaged-dimension.xls", "a sheet claims more rows or columns than a sheet holds"}};
    for (const auto& [file, reason] : damaged)
        EXPECT_EQ(FaultOfOpening(file).description, "The workbook '" + ImportFixture(file) + "' is damaged: " + reason + ".");
}

TEST(ExcelDatabase, RowsAreReadOneAtATime)
{
    // The sheet of three cases declares all 65,536 rows and 256 columns a
    // sheet has: opening it must not make room for every declared cell.
    const auto db = OpenDatabaseInProcess(ImportFixture("sparse-large-sheet.xls"), "Excel 8.0;").value();
    const size_t before = mallinfo2().uordblks;
    const auto opened = db->OpenTable("Cases$");
    const size_t grown = mallinfo2().uordblks - before;
    ASSERT_TRUE(opened.ok());
    Recordset* rows = opened->get();
    EXPECT_LT(grown, size_t(64) << 20);
    ASSERT_EQ(rows->FieldCount(), 256);
    EXPECT_EQ(rows->RecordCountHint(), 65535u);
    EXPECT_EQ(rows->GetFieldValue(2), FieldValue::Double(1));
    EXPECT_EQ(rows->GetFieldValue(255), FieldValue::Null());
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(rows->MoveNext().ok());
    ASSERT_FALSE(rows->IsEOF());
    EXPECT_EQ(rows->GetFieldValue(0), FieldValue::Null());
}
