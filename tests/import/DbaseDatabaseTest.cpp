#include <gtest/gtest.h>

#include "import/DatabaseImport.h"
#include "support/ImportFixtures.h"
#include "support/RecordsetRows.h"

using namespace kalderon;
using kalderon::testing::ImportFixture;
using kalderon::testing::DayNumber;
using kalderon::testing::RowValues;

TEST(DbaseDatabase, FolderIsTheDatabase)
{
    const ReadResult<ImportDatabase> db = OpenImportDatabase(ImportFixture("dbase/CASES.DBF"));
    ASSERT_TRUE(db.ok()) << ReaderFaultMessage(db.fault());
    EXPECT_EQ(db->tableName, "CASES");
    const auto tables = db->database->TableDefs();
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0].name, "CASES");
    EXPECT_EQ(tables[1].name, "Separate");
    EXPECT_FALSE(tables[1].isSystemObject());

    EXPECT_EQ(OpenImportDatabase(ImportFixture("dbase/Separate.dbf"))->tableName, "Separate");
    EXPECT_EQ(db->database->FieldNames("separate")->size(), 7u);
}

TEST(DbaseDatabase, EveryFieldType)
{
    const auto db = OpenDatabase(ImportFixture("dbase/"), "dBase IV;").value();
    EXPECT_EQ(db->FieldNames("cases").value(),
              (std::vector<std::string>{"BEGINFU", "ENDFU", "STATUS", "STAGE", "SEX", "BIRTH", "WEIGHT", "ALIVE"}));
    auto rows = db->OpenTable("CASES");
    const auto values = RowValues(**rows);
    ASSERT_EQ(values.size(), 6u);  // the deleted sixth record is skipped
    EXPECT_EQ(values[0][0], FieldValue::Date(DayNumber(1990, 3, 12)));
    EXPECT_EQ(values[0][2], FieldValue::Text("1"));  // padding removed
    EXPECT_EQ(values[0][4], FieldValue::Double(1.0));
    EXPECT_EQ(values[0][6], FieldValue::Double(72.5));
    EXPECT_EQ(values[0][7], FieldValue::Boolean(false));
    EXPECT_EQ(values[1][5], FieldValue::Date(DayNumber(1850, 6, 15)));
    EXPECT_TRUE(values[1][6].isNull());  // blank number
    EXPECT_EQ(values[1][7], FieldValue::Boolean(true));
    EXPECT_TRUE(values[2][5].isNull());  // blank date
    EXPECT_EQ(values[2][6], FieldValue::Double(100.0));
    EXPECT_TRUE(values[2][7].isNull());  // "?"
    EXPECT_TRUE(values[3][0].isNull());
    EXPECT_TRUE(values[3][6].isNull());  // not a number
    EXPECT_EQ(values[3][7], FieldValue::Boolean(true));
    EXPECT_EQ(values[4][2], FieldValue::Text(" 1"));  // leading blank kept
    EXPECT_TRUE(values[4][3].isNull());  // blank text
    EXPECT_EQ(values[4][7], FieldValue::Boolean(false));
    EXPECT_EQ(values[5][0], FieldValue::Date(DayNumber(2003, 6, 16)));
    EXPECT_EQ(values[5][3], FieldValue::Text("i"));
    EXPECT_TRUE(values[5][5].isNull());  // 31 February
}

TEST(DbaseDatabase, FailuresAreErrors)
{
    const auto bad = OpenDatabase(ImportFixture("dbase_bad/"), "dBase IV;").value();
    const ReadResult<void> truncated = kalderon::testing::ReadToEnd(bad->OpenTable("TRUNC"));
    ASSERT_FALSE(truncated.ok()) << "a file shorter than its header says must not read as complete";
    EXPECT_EQ(truncated.fault().errorNumber, kDaoDamagedFile);
    // A count of 50 million records in a file of a few hundred bytes is
    // refused before any room is reserved for them.
    const auto huge = bad->OpenTable("HUGECOUNT");
    ASSERT_FALSE(huge.ok()) << "a record count the file cannot hold must be refused";
    EXPECT_EQ(huge.fault().errorNumber, kDaoDamagedFile);
    EXPECT_EQ(huge.fault().description, "The table file is shorter than its header says: it may be damaged.");
    EXPECT_FALSE(bad->FieldNames("NOTDBF").ok());
    EXPECT_FALSE(bad->OpenTable("NOSUCH").ok());
    EXPECT_FALSE(OpenDatabase(ImportFixture("no_such_folder/"), "dBase IV;").ok());

    const ReadResult<ImportDatabase> missing = OpenImportDatabase(ImportFixture("dbase/MISSING.DBF"));
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(ReaderFaultMessage(missing.fault()),
              "Could not find file '" + ImportFixture("dbase/MISSING.DBF") + "'.   (3024)\n\n");
}
