#include <gtest/gtest.h>

#include <cstdlib>

#include "analysis/ParameterChoices.h"
#include "analysis/RunAnalysis.h"
#include "import/ColumnSelectionRules.h"
#include "import/DatabaseImport.h"
#include "import/RowsRecordset.h"
#include "support/ImportFixtures.h"

using namespace kalderon;
using kalderon::testing::AccessFixture;
using kalderon::testing::ImportFixture;
using R = CColumnAssignment::Role;

namespace {

DateValue Ymd(int y, int m, int d) { return DateValue::FromYmd(y, m, d); }

CColumnAssignment Complete(int begin, int end, int status, int group = -1, int sex = -1, int birth = -1)
{
    CColumnAssignment a;
    a[R::kBegin] = begin, a[R::kEnd] = end, a[R::kStatus] = status;
    a[R::kGroup] = group, a[R::kSex] = sex, a[R::kBirth] = birth;
    return a;
}

CColumnAssignment Separate(std::array<int, 6> beginEnd, int status)
{
    CColumnAssignment a;
    a.dateInSeparateColumns = 1;
    const R roles[] = {R::kBeginDay, R::kBeginMonth, R::kBeginYear, R::kEndDay, R::kEndMonth, R::kEndYear};
    for (int i = 0; i < 6; ++i) a[roles[i]] = beginEnd[i];
    a[R::kStatus] = status;
    return a;
}

// Cases in row order.
std::vector<CCaseRecord> Rows(const CaseList& list)
{
    std::vector<CCaseRecord> rows;
    for (size_t i = 0; i < list.rowToList.size(); ++i) rows.push_back(list.row(i));
    return rows;
}

int ValidCount(const std::vector<CCaseRecord>& rows)
{
    int n = 0;
    for (const CCaseRecord& c : rows) n += c.isValid;
    return n;
}

}  // namespace

TEST(DatabaseImport, AccessTableIntoCases)
{
    const std::string path = AccessFixture("cases.mdb");
    CAnalysisData data;
    const ReadResult<CaseList> read = ReadDatabaseTable(path, "PATIENTS", Complete(1, 2, 3, 4, 5, 6), data);
    ASSERT_TRUE(read.ok()) << ReaderFaultMessage(read.fault());
    EXPECT_EQ(read->sourcePath, path + " - Patients");
    const auto rows = Rows(*read);
    ASSERT_EQ(rows.size(), 26u);
    EXPECT_EQ(rows[0].caseNumber, 1);
    EXPECT_EQ(rows[0].beginDate, Ymd(1990, 3, 12));
    EXPECT_EQ(rows[0].groupText, "I");
    EXPECT_FALSE(rows[19].isValid);                  // begin is null
    EXPECT_EQ(rows[19].beginDate.status(), DateStatus::Invalid);
    EXPECT_TRUE(rows[20].isValid);                   // null status: an empty, censored status
    EXPECT_EQ(rows[20].statusText, "");
    EXPECT_FALSE(rows[21].isValid);                  // end before begin
    EXPECT_EQ(rows[21].observationDays, -556);
    EXPECT_FALSE(rows[22].isValid);                  // born after the begin
    EXPECT_FALSE(rows[23].isValid);                  // birth date null, birth column assigned
    EXPECT_EQ(rows[24].statusText, " 1");
    EXPECT_EQ(ValidCount(rows), 22);
    EXPECT_EQ(data.statusCodes, (std::vector<std::string>{"1", "0", "", " 1"}));
    EXPECT_EQ(read->groups.size(), 4u);  // "I", "II", "III", "i"

    // Without a birth column the rows with a bad birth date are valid.
    CAnalysisData other;
    EXPECT_EQ(ValidCount(Rows(ReadDatabaseTable(path, "Patients", Complete(1, 2, 3), other).value())), 24);
}

TEST(DatabaseImport, SeparateDateColumns)
{
    CAnalysisData data;
    const ReadResult<CaseList> read = ReadDatabaseTable(AccessFixture("separate.mdb"), "Followup", Separate({0, 1, 2, 3, 4, 5}, 6), data);
    ASSERT_TRUE(read.ok()) << ReaderFaultMessage(read.fault());
    const auto rows = Rows(*read);
    ASSERT_EQ(rows.size(), 17u);
    EXPECT_EQ(rows[0].beginDate, Ymd(1990, 3, 12));
    EXPECT_EQ(rows[0].endDate, Ymd(1993, 7, 1));      // year from a text field
    EXPECT_EQ(rows[0].statusText, "1");
    EXPECT_EQ(rows[9].beginDate, Ymd(1998, 5, 5));    // year 98 in a number field
    EXPECT_EQ(rows[10].endDate, Ymd(1998, 1, 2));     // "98" in a text field
    EXPECT_EQ(rows[11].endDate.status(), DateStatus::Invalid);  // "abc"
    EXPECT_EQ(rows[12].endDate, Ymd(1900, 12, 31));   // "" reads as 0, so 1900
    EXPECT_FALSE(rows[12].isValid);
    EXPECT_EQ(rows[13].beginDate.status(), DateStatus::Invalid);  // day null
    EXPECT_EQ(rows[14].endDate.status(), DateStatus::Invalid);    // 31 April
    EXPECT_EQ(rows[15].endDate, Ymd(2005, 12, 31));
    EXPECT_EQ(rows[16].endDate.status(), DateStatus::Invalid);    // year null
    EXPECT_EQ(rows[16].birthDate.status(), DateStatus::Null);

    // Days ignored: every date falls on the 15th of its month.
    CAnalysisData ignored;
    const auto fifteenth = Rows(ReadDatabaseTable(AccessFixture("separate.mdb"), "Followup",
                                                  Separate({-1, 1, 2, -1, 4, 5}, 6), ignored).value());
    EXPECT_EQ(fifteenth[0].beginDate, Ymd(1990, 3, 15));
    EXPECT_EQ(fifteenth[13].beginDate, Ymd(2000, 2, 15));
    EXPECT_EQ(fifteenth[14].endDate, Ymd(2005, 4, 15));

    // A birth date given only by its year is null, and then no case is valid.
    CColumnAssignment yearOnly = Separate({0, 1, 2, 3, 4, 5}, 6);
    yearOnly[R::kBirthYear] = 10;
    CAnalysisData birth;
    const auto noBirth = Rows(ReadDatabaseTable(AccessFixture("separate.mdb"), "Followup", yearOnly, birth).value());
    EXPECT_EQ(noBirth[0].birthDate.status(), DateStatus::Null);
    EXPECT_EQ(ValidCount(noBirth), 0);
    yearOnly[R::kBirthDay] = 8, yearOnly[R::kBirthMonth] = 9;
    CAnalysisData full;
    const auto withBirth = Rows(ReadDatabaseTable(AccessFixture("separate.mdb"), "Followup", yearOnly, full).value());
    EXPECT_EQ(withBirth[0].birthDate, Ymd(1931, 5, 20));
}

TEST(DatabaseImport, ExcelAndDbaseTablesIntoCases)
{
    const std::string workbook = ImportFixture("two_sheets.xls");
    CAnalysisData data;
    const ReadResult<CaseList> sheet = ReadDatabaseTable(workbook, "Patients$", Complete(0, 1, 2, 3, 4, 5), data);
    ASSERT_TRUE(sheet.ok()) << ReaderFaultMessage(sheet.fault());
    EXPECT_EQ(sheet->sourcePath, workbook + " - Patients$");
    auto rows = Rows(*sheet);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0].statusText, "1");
    EXPECT_FALSE(rows[2].isValid);  // no birth date
    EXPECT_FALSE(rows[3].isValid);  // no begin
    EXPECT_EQ(rows[4].beginDate, Ymd(2001, 3, 5));  // read from its text
    EXPECT_TRUE(rows[4].isValid);
    EXPECT_EQ(rows[4].statusText, " 1");
    EXPECT_EQ(rows[5].statusText, "1.500000e+00");

    const std::string table = ImportFixture("dbase/CASES.DBF");
    CAnalysisData dbase;
    const ReadResult<CaseList> dbf = ReadDatabaseTable(table, "", Complete(0, 1, 2, 3, 4, 5), dbase);
    ASSERT_TRUE(dbf.ok()) << ReaderFaultMessage(dbf.fault());
    EXPECT_EQ(dbf->sourcePath, table);  // no table part for a dBase file
    rows = Rows(*dbf);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[1].birthDate, Ymd(1850, 6, 15));
    EXPECT_EQ(rows[0].sexText, "1");  // N field 1 reads as real 1.0
    EXPECT_EQ(rows[4].groupText, "");
    EXPECT_EQ(rows[5].caseNumber, 6);

    // A blank dBase year is null, not an empty text: the date is invalid.
    CAnalysisData separate;
    const auto parts = Rows(ReadDatabaseTable(ImportFixture("dbase/Separate.dbf"), "",
                                              Separate({0, 1, 2, 3, 4, 5}, 6), separate).value());
    ASSERT_EQ(parts.size(), 6u);
    EXPECT_EQ(parts[1].beginDate, Ymd(1998, 5, 5));
    EXPECT_EQ(parts[2].endDate, Ymd(1998, 1, 2));
    EXPECT_EQ(parts[4].endDate.status(), DateStatus::Invalid);
    EXPECT_EQ(parts[5].beginDate.status(), DateStatus::Invalid);
}

TEST(DatabaseImport, FailuresGiveErrorTexts)
{
    CAnalysisData data;
    ReadResult<CaseList> read = ReadDatabaseTable(AccessFixture("cases.mdb"), "Nope", Complete(1, 2, 3), data);
    EXPECT_FALSE(read.ok());
    EXPECT_EQ(ReaderFaultMessage(read.fault()),
              AccessFixture("cases.mdb") +
                  ": Could not find the table 'Nope'. Make sure it exists and that its name is spelled correctly.   "
                  "(3011)\n\n");
    read = ReadDatabaseTable(AccessFixture("cases.mdb"), "Patients", Complete(1, 2, 30), data);
    EXPECT_FALSE(read.ok());
    EXPECT_EQ(ReaderFaultMessage(read.fault()), AccessFixture("cases.mdb") + ": Item not found in this collection.   (3265)\n\n");
    read = ReadDatabaseTable(ImportFixture("dbase_bad/TRUNC.DBF"), "", Complete(0, 0, 0), data);
    EXPECT_FALSE(read.ok());
    EXPECT_NE(ReaderFaultMessage(read.fault()), "");
    read = ReadDatabaseTable(ImportFixture("notmdb.mdb"), "Patients", Complete(1, 2, 3), data);
    EXPECT_FALSE(read.ok());
    EXPECT_EQ(ReaderFaultMessage(read.fault()), "Unrecognized database format '" + ImportFixture("notmdb.mdb") + "'.   (3343)\n\n");
    // The file comes first, the engine's number last; a message that names
    // the file already (above) names it once.
    read = ReadDatabaseTable(ImportFixture("notxls.xls"), "Sheet1$", Complete(1, 2, 3), data);
    EXPECT_EQ(ReaderFaultMessage(read.fault()),
              ImportFixture("notxls.xls") + ": External table is not in the expected format.   (3274)\n\n");
    EXPECT_EQ(ReaderFaultMessage(InFile(InFile(ReaderFault::Engine(3274, "x"), "a.xls"), "b.xls")), "a.xls: x   (3274)\n\n");

    EXPECT_EQ(ReaderFaultMessage(ReaderFault::Status(static_cast<std::int32_t>(0x80040E14u))),
              "ERROR:CDaoException\n\nSCODE_CODE      =3604\nSCODE_FACILITY  =4\nSCODE_SEVERITY  =1\n"
              "ResultFromScode =-2147217900\n");
    EXPECT_EQ(ReaderFaultMessage(ReaderFault::Engine(3024, "Could not find file 'x.mdb'.")),
              "Could not find file 'x.mdb'.   (3024)\n\n");
    EXPECT_EQ(ReaderFault::Engine(3024, "x").statusCode, static_cast<std::int32_t>(0x800A0BD0u));

    const ReadResult<ImportDatabase> other = OpenImportDatabase("cases.txt");
    ASSERT_FALSE(other.ok());
    EXPECT_EQ(other.fault().errorNumber, kDaoNoDriver);
}

TEST(DatabaseImport, TableChoiceRules)
{
    const auto choose = [](std::vector<TableDefInfo> tables) { return ChooseTableEntries(tables); };
    TableChoice c = choose({{"MSysObjects", 0x80000000u}, {"MSysAccessObjects", 2}, {"b", 0}, {"A$", 0}, {"A", 0},
                            {"c$", 0}, {"B$", 0}});
    EXPECT_EQ(c.entries, (std::vector<std::string>{"A$", "b", "B$", "c$"}));
    EXPECT_EQ(c.takenAtOnce, "");
    c = choose({{"Range", 0}, {"Range$", 0}, {"MSysObjects", 0x80000000u}});
    EXPECT_EQ(c.entries, std::vector<std::string>{"Range"});  // the form met first
    EXPECT_EQ(c.takenAtOnce, "Range");
    c = choose({{"MSysObjects", 0x80000000u}, {"MSysACEs", 0x80000000u}});
    EXPECT_TRUE(c.entries.empty());
    EXPECT_EQ(c.takenAtOnce, "");
    c = choose({{"Only", 0}});
    EXPECT_EQ(c.takenAtOnce, "Only");

    const ReadResult<TableChoice> none = ListDatabaseTables(AccessFixture("empty_user.mdb"));
    EXPECT_EQ(none->takenAtOnce, "Patients");
    const ReadResult<TableChoice> multi = ListDatabaseTables(AccessFixture("multi.mdb"));
    EXPECT_EQ(multi->entries.size(), 3u);
    EXPECT_EQ(ListTableFields(AccessFixture("multi.mdb"), "Alpha cases")->size(), 7u);
    EXPECT_EQ(ListTableFields(ImportFixture("dbase/CASES.DBF"), "")->front(), "BEGINFU");
}

TEST(DatabaseImport, FileNamesAndSources)
{
    EXPECT_TRUE(IsDatabaseFile("a/B.MDB"));
    EXPECT_TRUE(IsDatabaseFile("b.Xls"));
    EXPECT_TRUE(IsDatabaseFile("PAT.DBF"));
    EXPECT_FALSE(IsDatabaseFile("cases.csv"));
    EXPECT_EQ(DbaseFileNameMessage("/data/Patientdata.dbf"), 322);
    EXPECT_FALSE(DbaseFileNameMessage("/data/PAT.DBF"));
    EXPECT_FALSE(DbaseFileNameMessage("/data/12345678.dbf"));
    EXPECT_FALSE(DbaseFileNameMessage("/data/Patientdata.mdb"));
    EXPECT_EQ(ImportSourceText("/d/x.mdb", "T"), "/d/x.mdb - T");
    EXPECT_EQ(ImportSourceText("/d/x.dbf", ""), "/d/x.dbf");
}

TEST(DatabaseImport, ProgressCountsRows)
{
    // A table of rows held in memory: begin, end, status.
    class MemoryDatabase : public Database {
    public:
        std::vector<TableDefInfo> TableDefs() const override { return {{"Cases", 0}}; }
        ReadResult<std::vector<std::string>> FieldNames(const std::string&) const override
        {
            return std::vector<std::string>{"Begin", "End", "Status"};
        }
        ReadResult<std::unique_ptr<Recordset>> OpenTable(const std::string&) const override
        {
            std::vector<FieldRow> rows(2 * kReadProgressStep + 3,
                                       FieldRow{FieldValue::Date(36526), FieldValue::Date(38352), FieldValue::Text("1")});
            return std::make_unique<RowsRecordset>(3, std::move(rows));
        }
    };
    std::vector<std::pair<size_t, size_t>> calls;
    CAnalysisData data;
    const ReadResult<CaseList> read = ReadTableIntoCases(MemoryDatabase(), "Cases", Complete(0, 1, 2), data,
                                               [&](size_t done, size_t total) { calls.emplace_back(done, total); });
    ASSERT_TRUE(read.ok()) << ReaderFaultMessage(read.fault());
    EXPECT_EQ(read->records.size(), 2 * kReadProgressStep + 3);
    const size_t total = 2 * kReadProgressStep + 3;
    EXPECT_EQ(calls, (std::vector<std::pair<size_t, size_t>>{{kReadProgressStep, total}, {2 * kReadProgressStep, total}}));
}

namespace {

// A table of five cases whose stage field is coded 1 and 2 with the labels
// "stage I" and "stage II", or, with `labelsAsValues`, holds those texts.
class LabelledDatabase : public Database {
public:
    explicit LabelledDatabase(bool labelsAsValues) : labelsAsValues_(labelsAsValues) {}

    std::vector<TableDefInfo> TableDefs() const override { return {{"Cases", 0}}; }
    ReadResult<std::vector<std::string>> FieldNames(const std::string&) const override
    {
        return std::vector<std::string>{"id", "begin", "end", "status", "stage"};
    }
    ReadResult<std::unique_ptr<Recordset>> OpenTable(const std::string&) const override
    {
        std::vector<FieldRow> rows;
        const int ends[] = {400, 900, 1500, 2000, 2500};
        for (int i = 0; i < 5; ++i) {
            const int stage = 1 + i % 2;
            rows.push_back({FieldValue::Int32(100 + i), FieldValue::Date(36526), FieldValue::Date(36526 + ends[i]),
                            FieldValue::Text(i == 4 ? "0" : "1"),
                            labelsAsValues_ ? FieldValue::Text(stage == 1 ? "stage I" : "stage II")
                                            : FieldValue::Int32(stage)});
        }
        return std::make_unique<RowsRecordset>(5, std::move(rows));
    }
    ReadResult<std::vector<ValueLabels>> FieldValueLabels(const std::string&) const override
    {
        if (labelsAsValues_) return std::vector<ValueLabels>{};
        return std::vector<ValueLabels>{{}, {}, {}, {{"0", "alive"}}, {{"1", "stage I"}, {"2", "stage II"}}};
    }

private:
    bool labelsAsValues_;
};

}  // namespace

// Every field is kept with its labels; groups coded by a labelled field are
// reported by their labels exactly as if the field held the labels, while
// the cases keep the codes.
TEST(DatabaseImport, EveryFieldIsKeptAndGroupsAreReportedByTheirLabels)
{
    setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
    const auto read = [](bool labelsAsValues) {
        ReadResult<DataSet> dataSet =
            ReadTableIntoDataSet(LabelledDatabase(labelsAsValues), "Cases", Complete(1, 2, 3, 4));
        EXPECT_TRUE(dataSet.ok()) << ReaderFaultMessage(dataSet.fault());
        return dataSet ? std::move(*dataSet) : DataSet();
    };
    const DataSet coded = read(false);
    const DataColumns& columns = coded.columns;
    ASSERT_EQ(columns.columnCount(), 5u);
    ASSERT_EQ(columns.rowCount(), 5u);
    std::vector<std::string> names, lastRow, shown;
    for (size_t c = 0; c < 5; ++c) {
        names.push_back(columns[c].name());
        lastRow.emplace_back(columns[c].Value(4));
        shown.emplace_back(columns[c].Shown(4));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"id", "begin", "end", "status", "stage"}));
    EXPECT_EQ(lastRow, (std::vector<std::string>{"104", "01.01.2000", "05.11.2006", "0", "1"}));
    EXPECT_EQ(shown, (std::vector<std::string>{"104", "01.01.2000", "05.11.2006", "alive", "stage I"}));
    EXPECT_TRUE(coded.hasGroupColumn);
    EXPECT_FALSE(coded.hasSexColumn);
    EXPECT_EQ(coded.cases.row(1).groupText, "2");
    ASSERT_EQ(coded.cases.groups.size(), 2u);
    EXPECT_EQ(coded.cases.groups[1].code, "2");
    EXPECT_EQ(coded.cases.groups[1].label, "stage II");

    const DataSet labelled = read(true);
    for (const AnalysisKind kind : {kLifeTable, kProductLimit}) {
        const auto run = [kind](DataSet dataSet) {
            ApplyParameterChoices(dataSet.analysis, ParameterChoices{"1", 0, ".95"});
            return RunAnalysis(dataSet.analysis, dataSet.cases, {kind, true, true});
        };
        const AnalysisOutcome byCode = run(coded);
        const AnalysisOutcome byValue = run(labelled);
        ASSERT_TRUE(byCode.succeeded());
        EXPECT_NE(byCode.report.reportText().find("Group stage II\r\n"), std::string::npos);
        EXPECT_EQ(byCode.report.reportText(), byValue.report.reportText());
        EXPECT_EQ(byCode.report.exportText(), byValue.report.exportText());
        EXPECT_EQ(byCode.report.comparisonExportText(), byValue.report.comparisonExportText());
    }
    unsetenv("SOURCE_DATE_EPOCH");
}
