#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "import/DatabaseImport.h"
#include "support/ImportFixtures.h"
#include "support/RecordsetRows.h"

using namespace kalderon;
using kalderon::testing::AccessFixture;
using kalderon::testing::RowTexts;
using kalderon::testing::DayNumber;
using kalderon::testing::ReadEveryTable;
using kalderon::testing::RowValues;

namespace {

std::unique_ptr<Database> OpenAccess(const std::string& name) { return OpenDatabase(AccessFixture(name), "").value(); }

}  // namespace

TEST(AccessDatabase, TablesInFileOrderWithSystemFlags)
{
    const auto tables = OpenAccess("multi.mdb")->TableDefs();
    std::vector<std::string> user;
    for (const TableDefInfo& t : tables) {
        if (t.name.rfind("MSys", 0) == 0)
            EXPECT_TRUE(t.isSystemObject()) << t.name;
        else
            user.push_back(t.name);
    }
    EXPECT_EQ(user, (std::vector<std::string>{"Zeta", "Alpha cases", "Mid"}));
    const TableChoice choice = ChooseTableEntries(tables);
    EXPECT_EQ(choice.entries, (std::vector<std::string>{"Alpha cases", "Mid", "Zeta"}));
    EXPECT_EQ(choice.takenAtOnce, "");

    const TableChoice single = ChooseTableEntries(OpenAccess("cases.mdb")->TableDefs());
    EXPECT_EQ(single.entries, std::vector<std::string>{"Patients"});
    EXPECT_EQ(single.takenAtOnce, "Patients");
}

// Every stored type comes back with its type and exact value, including the
// cases the library's text interface gets wrong: dates before 1899, empty
// texts next to nulls, doubles with 17 significant digits, bytes above 127.
TEST(AccessDatabase, TypedValuesFromTheStoredBytes)
{
    const auto db = OpenAccess("types.mdb");
    EXPECT_EQ(db->FieldNames("alltypes").value(), (std::vector<std::string>{"ByteCol", "IntCol", "LongCol", "FloatCol",
                                                                    "DoubleCol", "MoneyCol", "DateCol", "TextCol",
                                                                    "MemoCol", "BoolCol"}));
    auto rows = db->OpenTable("AllTypes");
    const auto values = RowValues(**rows);
    ASSERT_EQ(values.size(), 7u);

    const auto& zero = values[0];
    EXPECT_EQ(zero[0], FieldValue::UInt8(0));
    EXPECT_EQ(zero[6], FieldValue::Date(0.0));
    EXPECT_EQ(zero[8], FieldValue::Text(""));  // empty memo, not null
    EXPECT_EQ(zero[9], FieldValue::Boolean(false));

    const auto& negative = values[1];
    EXPECT_EQ(negative[0], FieldValue::UInt8(255));
    EXPECT_EQ(negative[1], FieldValue::Int16(-32768));
    EXPECT_EQ(negative[2], FieldValue::Int32(-2147483647 - 1));
    EXPECT_EQ(negative[3], FieldValue::Float(-1.5f));
    EXPECT_EQ(negative[4], FieldValue::Double(-2.25));
    EXPECT_EQ(negative[5], FieldValue::Currency(-12345678));
    EXPECT_EQ(negative[6], FieldValue::Date(DayNumber(1850, 6, 15)));
    EXPECT_EQ(negative[9], FieldValue::Boolean(true));

    EXPECT_EQ(values[2][4], FieldValue::Double(1.0));
    EXPECT_EQ(values[2][7], FieldValue::Text("M\xC3\xBCller"));
    EXPECT_EQ(values[3][7], FieldValue::Text("  padded  "));
    EXPECT_EQ(values[3][8], FieldValue::Text("line 1\nline \"2\""));
    EXPECT_EQ(values[4][0], FieldValue::UInt8(200));
    EXPECT_EQ(values[4][3], FieldValue::Float(1e10f));
    EXPECT_EQ(values[4][5], FieldValue::Currency(100000000000000));
    const std::string memo = values[4][8].text;
    EXPECT_EQ(memo.size(), 5129u);
    EXPECT_EQ(memo.substr(0, 10), "BEGIN 0001");
    EXPECT_EQ(memo.substr(memo.size() - 4), " END");

    for (int i = 0; i < 9; ++i) EXPECT_TRUE(values[5][i].isNull()) << i;
    EXPECT_EQ(values[5][9], FieldValue::Boolean(false));

    const auto& inexact = values[6];
    EXPECT_EQ(inexact[4], FieldValue::Double(0.1));
    EXPECT_EQ(inexact[5], FieldValue::Currency(1));
    EXPECT_EQ(inexact[6], FieldValue::Date(DayNumber(1999, 12, 31) + 86399.0 / 86400.0));
    EXPECT_EQ(inexact[8], FieldValue::Text("\xC3\x9Cn\xC3\xAF" "c\xC3\xB6" "d\xC3\xA9 \xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F "
                                           "\xC3\x84\xC3\x96\xC3\x9C \xE2\x82\xAC"));
}

TEST(AccessDatabase, RowsInStorageOrder)
{
    auto rows = OpenAccess("cases.mdb")->OpenTable("Patients");
    const auto texts = RowTexts(**rows);
    ASSERT_EQ(texts.size(), 26u);
    for (size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(texts[i][0], std::to_string(i + 1));
    EXPECT_EQ(texts[0][1], "12.03.1990");
    EXPECT_EQ(texts[19][1], "");     // CaseNo 20: BeginFU is null
    EXPECT_EQ(texts[24][3], " 1");   // leading blank kept
    EXPECT_EQ(texts[25][4], "i");

    auto empty = OpenAccess("empty_user.mdb")->OpenTable("Patients");
    EXPECT_TRUE((*empty)->IsEOF());
    EXPECT_EQ((*empty)->FieldCount(), 7);
}

TEST(AccessDatabase, OrderedByYearAndAge)
{
    const auto db = OpenAccess("lifetables_small.mdb");
    auto rows = db->OpenOrderedByYearAge("TestPop");
    const auto values = RowValues(**rows);
    ASSERT_EQ(values.size(), 200u);
    for (size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(values[i][0], FieldValue::Int32(i < 100 ? 1990 : 1998)) << i;
        EXPECT_EQ(values[i][1], FieldValue::Int32(static_cast<int>(i % 100))) << i;
    }
    EXPECT_TRUE(RowValues(**db->OpenOrderedByYearAge("Gaps"))[5][2].isNull());

    const auto broken = db->OpenOrderedByYearAge("Broken");
    ASSERT_FALSE(broken.ok()) << "a table without Year must not open";
    EXPECT_EQ(ReaderFaultMessage(broken.fault()), "Too few parameters. Expected 1.   (3061)\n\n");
}

TEST(AccessDatabase, FailuresAreErrorsNeverEmptySuccess)
{
    auto errorOf = [](const std::string& path) {
        const DatabaseResult db = OpenDatabase(path, "");
        return db ? 0 : db.fault().errorNumber;
    };
    EXPECT_EQ(errorOf(AccessFixture("missing.mdb")), kDaoFileNotFound);
    EXPECT_EQ(errorOf(kalderon::testing::ImportFixture("notmdb.mdb")), kDaoUnrecognizedFormat);
    EXPECT_EQ(errorOf(AccessFixture("")), kDaoUnrecognizedFormat);  // a folder

    // A file cut short after its header pages.
    const std::string cut = (std::filesystem::temp_directory_path() / "kalderon_cut.mdb").string();
    {
        std::ifstream in(AccessFixture("cases.mdb"), std::ios::binary);
        std::vector<char> head(5000);
        in.read(head.data(), head.size());
        std::ofstream(cut, std::ios::binary).write(head.data(), head.size());
    }
    EXPECT_EQ(errorOf(cut), kDaoDamagedFile);
    std::remove(cut.c_str());

    const auto db = OpenAccess("cases.mdb");
    EXPECT_EQ(db->OpenTable("NoSuchTable").fault().errorNumber, kDaoObjectNotFound);
    auto rows = db->OpenTable("patients");
    RowFieldReader fields(**rows);
    EXPECT_TRUE(fields[7].isNull());
    EXPECT_EQ(fields.outcome().fault().errorNumber, kDaoItemNotFound);

    // A data page of zeros: the table holds fewer rows than its definition
    // counts, and reading it is refused instead of ending early.
    const ReadResult<void> zeroed = ReadEveryTable(*OpenAccess("cases_zeroed_page.mdb"));
    ASSERT_FALSE(zeroed.ok()) << "a table with a zeroed data page must not read as complete";
    EXPECT_EQ(zeroed.fault().errorNumber, kDaoDamagedFile);
}

// A usage map whose size leaves no room for its bitmap made the library read
// past it; the table is refused before the library walks it, in this very
// process.
TEST(AccessDatabase, AnUnsoundUsageMapIsADamagedFile)
{
    const DatabaseResult db = OpenDatabaseInProcess(AccessFixture("damaged-usage-map.mdb"), "");
    const ReadResult<void> read = db ? ReadEveryTable(**db) : ReadResult<void>(db.fault());
    ASSERT_FALSE(read.ok()) << "the damaged table read as complete";
    EXPECT_EQ(read.fault().errorNumber, kDaoDamagedFile);
}

// A catalog row whose fields lie outside their row: the library's catalog
// reading took the values of the row before for it (uninitialised memory,
// now and then a crash far away); the file is refused before that reading.
TEST(AccessDatabase, AnUnreadableCatalogRowIsADamagedFile)
{
    const DatabaseResult db = OpenDatabaseInProcess(AccessFixture("damaged-catalog-row.mdb"), "");
    ASSERT_FALSE(db.ok()) << "a damaged catalog must be refused";
    EXPECT_EQ(db.fault().errorNumber, kDaoDamagedFile);
}
