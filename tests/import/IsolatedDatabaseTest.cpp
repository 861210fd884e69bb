#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <unistd.h>

#include "import/IsolatedDatabase.h"
#include "import/RowsRecordset.h"
#include "support/ImportFixtures.h"
#include "support/RecordsetRows.h"

namespace kalderon {
namespace {

const std::string kPath = "/data/registry.mdb";

// A database of one table "T" whose rows are given; `crashAfter` rows into
// the table (or in the list of tables, with -1) the reader dies.
class FakeDatabase : public Database {
public:
    FakeDatabase(std::vector<FieldRow> rows, int crashAfter) : rows_(std::move(rows)), crashAfter_(crashAfter) {}

    std::vector<TableDefInfo> TableDefs() const override
    {
        std::fputs("reader: warning nobody should see\n", stderr);
        if (crashAfter_ == -1) std::raise(SIGSEGV);
        return {{"T", 0}, {"MSysObjects", kDbSystemObject}};
    }
    ReadResult<std::vector<std::string>> FieldNames(const std::string& table) const override
    {
        if (!SameName(table, "T")) return TableNotFound(table);
        return std::vector<std::string>{"a", std::string("b\0c", 3)};
    }
    ReadResult<std::unique_ptr<Recordset>> OpenTable(const std::string& table) const override
    {
        if (!SameName(table, "T")) return TableNotFound(table);
        std::vector<FieldRow> rows = rows_;
        if (crashAfter_ >= 0 && static_cast<size_t>(crashAfter_) < rows.size()) {
            rows.resize(static_cast<size_t>(crashAfter_));
            return std::make_unique<CrashingRecordset>(std::move(rows));
        }
        return std::make_unique<RowsRecordset>(2, std::move(rows));
    }

private:
    // Dies when moved past its last row.
    class CrashingRecordset : public RowsRecordset {
    public:
        explicit CrashingRecordset(std::vector<FieldRow> rows) : RowsRecordset(2, rows), left_(rows.size()) {}
        ReadResult<void> MoveNext() override
        {
            if (left_-- == 1) std::abort();
            return RowsRecordset::MoveNext();
        }

    private:
        size_t left_;
    };

    std::vector<FieldRow> rows_;
    int crashAfter_;
};

std::vector<FieldRow> SomeRows(size_t count)
{
    std::vector<FieldRow> rows;
    for (size_t i = 0; i < count; ++i)
        rows.push_back({FieldValue::Int32(static_cast<std::int32_t>(i)),
                        i % 3 == 0   ? FieldValue::Null()
                        : i % 3 == 1 ? FieldValue::Date(36526.25 + static_cast<double>(i))
                                     : FieldValue::Text(std::string("x\0y", 3) + std::to_string(i))});
    return rows;
}

DatabaseResult Isolated(std::vector<FieldRow> rows, int crashAfter)
{
    return OpenIsolatedDatabase(kPath, [rows, crashAfter]() -> DatabaseResult {
        return std::make_unique<FakeDatabase>(rows, crashAfter);
    });
}

void ExpectDamaged(const ReadResult<void>& read)
{
    ASSERT_FALSE(read.ok()) << "the read went through";
    EXPECT_EQ(read.fault().errorNumber, kDaoDamagedFile);
    EXPECT_NE(read.fault().description.find("'" + kPath + "'"), std::string::npos) << read.fault().description;
}

TEST(IsolatedDatabaseTest, AnswersAsTheReaderAndKeepsItsWarningsOutOfSight)
{
    std::fflush(stderr);
    std::FILE* captured = std::tmpfile();
    const int saved = ::dup(STDERR_FILENO);
    ::dup2(::fileno(captured), STDERR_FILENO);
    const auto db = Isolated(SomeRows(50000), -2).value();
    const std::vector<TableDefInfo> tables = db->TableDefs();
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    EXPECT_EQ(std::ftell(captured), 0L);
    std::fclose(captured);

    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0].name, "T");
    EXPECT_TRUE(tables[1].isSystemObject());
    EXPECT_EQ(db->FieldNames("t").value(), (std::vector<std::string>{"a", std::string("b\0c", 3)}));

    auto rows = db->OpenTable("T").value();
    EXPECT_EQ(rows->FieldCount(), 2);
    EXPECT_EQ(rows->RecordCountHint(), 50000u);
    EXPECT_EQ(testing::RowValues(*rows), SomeRows(50000));
    EXPECT_TRUE(rows->IsEOF());

    // The reader's own faults come back whole.
    const auto missing = db->OpenTable("Missing");
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.fault(), TableNotFound("Missing"));
    const ReaderFault statusOnly = ReaderFault::Status(static_cast<std::int32_t>(0x80040E14u));
    const DatabaseResult refused = OpenIsolatedDatabase(kPath, [statusOnly]() -> DatabaseResult { return statusOnly; });
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.fault(), statusOnly);
    EXPECT_EQ(Isolated(SomeRows(1), -2).value()->FieldNames("Missing").fault(), TableNotFound("Missing"));
}

TEST(IsolatedDatabaseTest, AReaderThatDiesIsADamagedFile)
{
    const DatabaseResult crashed = Isolated(SomeRows(3), -1);
    ExpectDamaged(crashed ? ReadResult<void>() : ReadResult<void>(crashed.fault()));

    // Rows come as the child reads them; the file is refused when it dies.
    const auto db = Isolated(SomeRows(9000), 8000).value();
    auto rows = db->OpenTable("T").value();
    size_t read = 0;
    ReadResult<void> moved;
    for (; moved && !rows->IsEOF(); moved = rows->MoveNext()) ++read;
    ExpectDamaged(moved);
    EXPECT_GT(read, 0u);
    EXPECT_LE(read, 8000u);

    // A recordset left early stops its reader rather than waiting for it.
    for (int i = 0; i < 3; ++i) {
        auto early = Isolated(SomeRows(200000), -2).value()->OpenTable("T").value();
        ASSERT_TRUE(early->MoveNext().ok());
        EXPECT_EQ(early->GetFieldValue(0), FieldValue::Int32(1));
    }
}

TEST(IsolatedDatabaseTest, AccessFilesReadThroughTheChildAsInProcess)
{
    const std::string path = testing::AccessFixture("types.mdb");
    const auto inProcess = OpenDatabaseInProcess(path, "").value();
    const auto isolated = OpenIsolatedDatabase(path, [path] { return OpenDatabaseInProcess(path, ""); }).value();
    EXPECT_EQ(isolated->FieldNames("AllTypes").value(), inProcess->FieldNames("AllTypes").value());
    auto a = inProcess->OpenTable("AllTypes").value();
    auto b = isolated->OpenTable("AllTypes").value();
    EXPECT_EQ(testing::RowValues(*b), testing::RowValues(*a));
}

}  // namespace
}  // namespace kalderon
