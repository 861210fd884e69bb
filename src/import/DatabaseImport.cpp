#include "import/DatabaseImport.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <set>
#include <stdexcept>
#include <strings.h>

#include "import/FieldConversions.h"
#include "import/RowsRecordset.h"
#include "import/StatisticsDatabase.h"
#include "resources/StringTable.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {

namespace fs = std::filesystem;

constexpr size_t kMaxReservedRows = 50'000'000;  // a damaged header must not ask for more

std::string LowerExtension(const std::string& path)
{
    std::string ext = fs::path(path).extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

std::string WithoutTrailingDollar(const std::string& name)
{
    return !name.empty() && name.back() == '$' ? name.substr(0, name.size() - 1) : name;
}

bool ListOrder(const std::string& a, const std::string& b)
{
    const int folded = strcasecmp(a.c_str(), b.c_str());
    return folded != 0 ? folded < 0 : a < b;
}

// The read of `body`, where running out of room is a fault too.
template <typename T, typename Body>
ReadResult<T> Guarded(Body body)
{
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return ReaderFault::Status(kOutOfMemoryStatus);
    } catch (const std::length_error&) {
        return ReaderFault::Engine(kDaoDamagedFile, "The file is damaged: it asks for more room than it can fill.");
    }
}

ReadResult<ImportDatabase> OpenDatabaseOfFile(const std::string& path)
{
    const std::string ext = LowerExtension(path);
    std::string name = path, connect, tableName;
    if (ext == ".dbf") {
        const fs::path folder = fs::path(path).parent_path();
        name = (folder.empty() ? std::string(".") : folder.string()) + "/";
        connect = "dBase IV;";
        tableName = fs::path(path).stem().string();
        std::error_code ec;
        if (!fs::exists(path, ec)) return FileNotFound(path);
    } else if (ext == ".xls") {
        connect = "Excel 8.0;";
    } else if (ext == ".xlsx") {
        connect = kXlsxConnect;
    } else if (ext == ".ods") {
        connect = kOdsConnect;
    } else if (IsStatisticsFile(path)) {
        connect = kStatisticsConnect;
        tableName = fs::path(path).stem().string();
    } else if (ext != ".mdb") {
        return NoDriver();
    }
    DatabaseResult database = OpenDatabase(name, connect);
    if (!database) return database.fault();
    return ImportDatabase{std::move(*database), tableName};
}

// Reads the rows into cases and, when `columns` is given, every field of
// them into its column.
ReadResult<CaseList> ReadRows(const Database& database, const std::string& table, const CColumnAssignment& assignment,
                              CAnalysisData& data, const ReadProgress& progress, DataColumns* columns)
{
    return Guarded<CaseList>([&]() -> ReadResult<CaseList> {
        const ReadResult<std::unique_ptr<Recordset>> opened = database.OpenTable(table);
        if (!opened) return opened.fault();
        Recordset& rows = **opened;
        const bool hasBirthColumn = assignment.hasBirthColumn();
        CaseListBuilder builder(data);
        const size_t reserved = std::min<size_t>(rows.RecordCountHint(), kMaxReservedRows);
        builder.Reserve(reserved);
        std::vector<std::string> texts;
        std::vector<std::string_view> fields;
        if (columns) columns->Reserve(reserved);
        ImportedRecordValues values;
        for (std::int32_t caseNumber = 1; !rows.IsEOF(); ++caseNumber) {
            if (progress && caseNumber % kReadProgressStep == 0) progress(caseNumber, rows.RecordCountHint());
            values.caseNumber = caseNumber;
            if (const ReadResult<void> read = ReadDatabaseRecord(rows, assignment, values); !read) return read.fault();
            if (columns) {
                texts.resize(static_cast<size_t>(std::max(rows.FieldCount(), 0)));
                fields.resize(texts.size());
                for (size_t i = 0; i < texts.size(); ++i) {
                    texts[i] = VariantToText(rows.GetFieldValue(static_cast<int>(i)));
                    fields[i] = texts[i];
                }
                columns->AppendRow(fields);
            }
            builder.Add(BuildCase(values, hasBirthColumn));
            if (const ReadResult<void> moved = rows.MoveNext(); !moved) return moved.fault();
        }
        if (columns) columns->Finish();
        return builder.Finish();
    });
}

// Groups whose code the group field labels are shown by that label.
void LabelGroups(DataSet& dataSet, std::int32_t groupField)
{
    if (groupField < 0 || static_cast<size_t>(groupField) >= dataSet.columns.columnCount()) return;
    const ValueLabels& labels = dataSet.columns[static_cast<size_t>(groupField)].labels();
    const auto label = [&labels](CGroupInfo& info) {
        if (const auto found = labels.find(info.code); found != labels.end()) info.label = found->second;
    };
    for (CGroupInfo& info : dataSet.cases.groups) label(info);
    for (CGroupResult& group : dataSet.analysis.groupResults) label(group.info);
}

}  // namespace

bool IsDatabaseFile(const std::string& path)
{
    const std::string ext = LowerExtension(path);
    return ext == ".mdb" || ext == ".xls" || ext == ".dbf" || ext == ".xlsx" || ext == ".ods" || IsStatisticsFile(path);
}

bool IsDbaseFile(const std::string& path) { return LowerExtension(path) == ".dbf"; }

std::optional<int> DbaseFileNameMessage(const std::string& path)
{
    if (IsDbaseFile(path) && fs::path(path).stem().string().size() > 8) return 322;
    return std::nullopt;
}

ReadResult<ImportDatabase> OpenImportDatabase(const std::string& path)
{
    return InFile(OpenDatabaseOfFile(path), path);
}

TableChoice ChooseTableEntries(const std::vector<TableDefInfo>& tables)
{
    TableChoice choice;
    std::set<std::string> listed;
    for (const TableDefInfo& table : tables) {
        if (table.isSystemObject()) continue;
        if (!listed.insert(WithoutTrailingDollar(table.name)).second) continue;
        choice.entries.push_back(table.name);
    }
    std::sort(choice.entries.begin(), choice.entries.end(), ListOrder);
    if (tables.size() == 1)
        choice.takenAtOnce = tables.front().name;
    else if (choice.entries.size() == 1)
        choice.takenAtOnce = choice.entries.front();
    return choice;
}

std::vector<std::string> BuildColumnTexts(const std::vector<std::string>& fieldNames)
{
    std::vector<std::string> texts{LoadString(300)};
    texts.insert(texts.end(), fieldNames.begin(), fieldNames.end());
    return texts;
}

std::string ImportSourceText(const std::string& path, const std::string& chosenTable)
{
    return chosenTable.empty() ? path : path + " - " + chosenTable;
}

ReadResult<CaseList> ReadTableIntoCases(const Database& database, const std::string& table,
                                        const CColumnAssignment& assignment, CAnalysisData& data,
                                        const ReadProgress& progress)
{
    return ReadRows(database, table, assignment, data, progress, nullptr);
}

ReadResult<DataSet> ReadTableIntoDataSet(const Database& database, const std::string& table,
                                         const CColumnAssignment& assignment, const ReadProgress& progress)
{
    DataSet dataSet;
    const ReadResult<std::vector<std::string>> names = Guarded<std::vector<std::string>>([&] { return database.FieldNames(table); });
    if (!names) return names.fault();
    const ReadResult<std::vector<ValueLabels>> labels =
        Guarded<std::vector<ValueLabels>>([&] { return database.FieldValueLabels(table); });
    if (!labels) return labels.fault();
    for (const std::string& name : *names) dataSet.columns.AddColumn(name);
    ReadResult<CaseList> cases = ReadRows(database, table, assignment, dataSet.analysis, progress, &dataSet.columns);
    if (!cases) return cases.fault();
    dataSet.cases = std::move(*cases);
    for (size_t i = 0; i < labels->size() && i < dataSet.columns.columnCount(); ++i)
        dataSet.columns[i].SetLabels((*labels)[i]);
    dataSet.hasGroupColumn = assignment[CColumnAssignment::kGroup] >= 0;
    dataSet.hasSexColumn = assignment[CColumnAssignment::kSex] >= 0;
    dataSet.hasBirthColumn = assignment.hasBirthColumn();
    LabelGroups(dataSet, assignment[CColumnAssignment::kGroup]);
    return dataSet;
}

ReadResult<TableChoice> ListDatabaseTables(const std::string& path)
{
    const ReadResult<ImportDatabase> db = OpenImportDatabase(path);
    if (!db) return db.fault();
    if (!db->tableName.empty()) return TableChoice{{db->tableName}, db->tableName};
    return InFile(Guarded<TableChoice>([&] { return ChooseTableEntries(db->database->TableDefs()); }), path);
}

ReadResult<std::vector<std::string>> ListTableFields(const std::string& path, const std::string& table)
{
    const ReadResult<ImportDatabase> db = OpenImportDatabase(path);
    if (!db) return db.fault();
    const std::string name = db->tableName.empty() ? table : db->tableName;
    return InFile(Guarded<std::vector<std::string>>([&] { return db->database->FieldNames(name); }), path);
}

ReadResult<DataSet> ReadDatabaseDataSet(const std::string& path, const std::string& table,
                                        const CColumnAssignment& assignment)
{
    const ReadResult<ImportDatabase> db = OpenImportDatabase(path);
    if (!db) return db.fault();
    const bool chosen = db->tableName.empty();
    std::string name = chosen ? table : db->tableName;
    for (const TableDefInfo& def : db->database->TableDefs())
        if (SameName(def.name, name)) name = def.name;  // as the database spells it
    ReadResult<DataSet> read = ReadTableIntoDataSet(*db->database, name, assignment);
    if (!read) return InFile(read.fault(), path);
    read->cases.sourcePath = ImportSourceText(path, chosen ? name : std::string());
    return read;
}

ReadResult<CaseList> ReadDatabaseTable(const std::string& path, const std::string& table,
                                       const CColumnAssignment& assignment, CAnalysisData& data)
{
    ReadResult<DataSet> read = ReadDatabaseDataSet(path, table, assignment);
    if (!read) return read.fault();
    data = std::move(read->analysis);
    return std::move(read->cases);
}

}  // namespace kalderon
