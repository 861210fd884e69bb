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
    std::vector<std::string> FieldNames(const std::string& table) const override
    {
        if (!SameName(table, "T")) ThrowTableNotFound(table);
        return {"a", std::string("b\0c", 3)};
    }
    std::unique_ptr<Recordset> OpenTable(const std::string& table) const override
    {
        if (!SameName(table, "T")) ThrowTableNotFound(table);
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
        void MoveNext() override
        {
            if (left_-- == 1) std::abort();
            RowsRecordset::MoveNext();
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

std::unique_ptr<Database> Isolated(std::vector<FieldRow> rows, int crashAfter)
{
    return OpenIsolatedDatabase(kPath, [rows, crashAfter] { return std::make_unique<FakeDatabase>(rows, crashAfter); });
}

void ExpectDamaged(const std::function<void()>& read)
{
    try {
        read();
        ADD_FAILURE() << "the read went through";
    } catch (const DaoException& e) {
        EXPECT_EQ(e.errorNumber(), kDaoDamagedFile);
        EXPECT_NE(e.description().find("'" + kPath + "'"), std::string::npos) << e.description();
    }
}

TEST(IsolatedDatabaseTest, AnswersAsTheReaderAndKeepsItsWarningsOutOfSight)
{
    std::fflush(stderr);
    std::FILE* captured = std::tmpfile();
    const int saved = ::dup(STDERR_FILENO);
    ::dup2(::fileno(captured), STDERR_FILENO);
    const auto db = Isolated(SomeRows(50000), -2);
    const std::vector<TableDefInfo> tables = db->TableDefs();
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    EXPECT_EQ(std::ftell(captured), 0L);
    std::fclose(captured);

    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0].name, "T");
    EXPECT_TRUE(tables[1].isSystemObject());
    EXPECT_EQ(db->FieldNames("t"), (std::vector<std::string>{"a", std::string("b\0c", 3)}));

    auto rows = db->OpenTable("T");
    EXPECT_EQ(rows->FieldCount(), 2);
    EXPECT_EQ(rows->RecordCountHint(), 50000u);
    EXPECT_EQ(testing::RowValues(*rows), SomeRows(50000));
    EXPECT_TRUE(rows->IsEOF());

    // The reader's own errors come back with their number and text.
    try {
        db->OpenTable("Missing");
        ADD_FAILURE();
    } catch (const DaoException& e) {
        EXPECT_EQ(e.errorNumber(), kDaoObjectNotFound);
        EXPECT_NE(e.description().find("Missing"), std::string::npos);
    }
    try {
        OpenIsolatedDatabase(kPath, []() -> std::unique_ptr<Database> {
            throw DaoException(kDaoFileNotFound, "Could not find file 'x'.");
        });
        ADD_FAILURE();
    } catch (const DaoException& e) {
        EXPECT_EQ(e.errorNumber(), kDaoFileNotFound);
        EXPECT_EQ(e.description(), "Could not find file 'x'.");
    }
}

TEST(IsolatedDatabaseTest, AReaderThatDiesIsADamagedFile)
{
    ExpectDamaged([] { Isolated(SomeRows(3), -1); });

    // Rows come as the child reads them; the file is refused when it dies.
    const auto db = Isolated(SomeRows(9000), 8000);
    size_t read = 0;
    ExpectDamaged([&] {
        for (auto rows = db->OpenTable("T"); !rows->IsEOF(); rows->MoveNext()) ++read;
    });
    EXPECT_GT(read, 0u);
    EXPECT_LE(read, 8000u);

    // A recordset left early stops its reader rather than waiting for it.
    for (int i = 0; i < 3; ++i) {
        auto early = Isolated(SomeRows(200000), -2)->OpenTable("T");
        early->MoveNext();
        EXPECT_EQ(early->GetFieldValue(0), FieldValue::Int32(1));
    }
}

TEST(IsolatedDatabaseTest, AccessFilesReadThroughTheChildAsInProcess)
{
    const std::string path = testing::AccessFixture("types.mdb");
    const auto inProcess = OpenDatabaseInProcess(path, "");
    const auto isolated = OpenIsolatedDatabase(path, [path] { return OpenDatabaseInProcess(path, ""); });
    EXPECT_EQ(isolated->FieldNames("AllTypes"), inProcess->FieldNames("AllTypes"));
    auto a = inProcess->OpenTable("AllTypes");
    auto b = isolated->OpenTable("AllTypes");
    EXPECT_EQ(testing::RowValues(*b), testing::RowValues(*a));
}

}  // namespace
}  // namespace kalderon
