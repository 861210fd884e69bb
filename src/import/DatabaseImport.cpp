#include "import/DatabaseImport.h"

#include <stdexcept>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <new>
#include <set>
#include <strings.h>

#include "import/RowsRecordset.h"
#include "resources/StringTable.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {

namespace fs = std::filesystem;

constexpr size_t kMaxReservedRows = 50'000'000;  // a damaged header must not ask for more
constexpr std::int32_t kOutOfMemoryStatus = static_cast<std::int32_t>(0x8007000Eu);

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

template <typename... Args>
std::string FormatText(const char* format, Args... args)
{
    const int n = std::snprintf(nullptr, 0, format, args...);
    if (n <= 0) return std::string();
    std::string out(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), format, args...);
    out.pop_back();
    return out;
}

template <typename Result, typename Body>
Result Guarded(Body body)
{
    Result result;
    try {
        body(result);
    } catch (const DaoException& e) {
        result.errorText = FormatDaoError(e);
    } catch (const std::bad_alloc&) {
        result.errorText = FormatDaoError(DaoException(kOutOfMemoryStatus));
    } catch (const std::length_error&) {
        result.errorText = FormatDaoError(DaoException(kDaoDamagedFile, "The file is damaged: it asks for more room than it can fill."));
    }
    return result;
}

}  // namespace

bool IsDatabaseFile(const std::string& path)
{
    const std::string ext = LowerExtension(path);
    return ext == ".mdb" || ext == ".xls" || ext == ".dbf";
}

bool IsDbaseFile(const std::string& path) { return LowerExtension(path) == ".dbf"; }

int DbaseFileNameMessage(const std::string& path)
{
    return IsDbaseFile(path) && fs::path(path).stem().string().size() > 8 ? 322 : 0;
}

std::string FormatDaoError(const DaoException& error)
{
    if (error.hasErrorInfo())
        return FormatText(text::kDaoErrorWithInfo, error.description().c_str(), error.errorNumber());
    const std::uint32_t code = static_cast<std::uint32_t>(error.statusCode());
    return FormatText(text::kDaoErrorStatusOnly, static_cast<int>(code & 0xFFFF), static_cast<int>((code >> 16) & 0x1FFF),
                      error.statusCode() < 0 ? 1 : 0, error.statusCode());
}

ImportDatabase OpenImportDatabase(const std::string& path)
{
    ImportDatabase result;
    const std::string ext = LowerExtension(path);
    std::string name = path, connect;
    if (ext == ".dbf") {
        const fs::path folder = fs::path(path).parent_path();
        name = (folder.empty() ? std::string(".") : folder.string()) + "/";
        connect = "dBase IV;";
        result.tableName = fs::path(path).stem().string();
    } else if (ext == ".xls") {
        connect = "Excel 8.0;";
    } else if (ext != ".mdb") {
        return result;
    }
    try {
        std::error_code ec;
        if (ext == ".dbf" && !fs::exists(path, ec))
            throw DaoException(kDaoFileNotFound, "Could not find file '" + path + "'.");
        result.database = OpenDatabase(name, connect);
    } catch (const DaoException& e) {
        result.errorText = FormatDaoError(e);
        result.tableName.clear();
    }
    return result;
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

TableCases ReadTableIntoCases(const Database& database, const std::string& table, const CColumnAssignment& assignment,
                              CAnalysisData& data, const ReadProgress& progress)
{
    return Guarded<TableCases>([&](TableCases& result) {
        const std::unique_ptr<Recordset> rows = database.OpenTable(table);
        const bool hasBirthColumn = assignment.hasBirthColumn();
        CaseListBuilder builder(data);
        builder.Reserve(std::min<size_t>(rows->RecordCountHint(), kMaxReservedRows));
        ImportedRecordValues values;
        for (std::int32_t caseNumber = 1; !rows->IsEOF(); rows->MoveNext(), ++caseNumber) {
            if (progress && caseNumber % kReadProgressStep == 0) progress(caseNumber, rows->RecordCountHint());
            values.caseNumber = caseNumber;
            ReadDatabaseRecord(*rows, assignment, values);
            builder.Add(BuildCase(values, hasBirthColumn));
        }
        result.cases = builder.Finish();
        result.ok = true;
    });
}

DatabaseTables ListDatabaseTables(const std::string& path)
{
    ImportDatabase db = OpenImportDatabase(path);
    DatabaseTables result;
    result.errorText = db.errorText;
    if (!db.database) return result;
    if (!db.tableName.empty()) {
        result.choice.entries = {db.tableName};
        result.choice.takenAtOnce = db.tableName;
        return result;
    }
    return Guarded<DatabaseTables>([&](DatabaseTables& r) { r.choice = ChooseTableEntries(db.database->TableDefs()); });
}

TableFields ListTableFields(const std::string& path, const std::string& table)
{
    ImportDatabase db = OpenImportDatabase(path);
    TableFields result;
    result.errorText = db.errorText;
    if (!db.database) return result;
    const std::string name = db.tableName.empty() ? table : db.tableName;
    return Guarded<TableFields>([&](TableFields& r) { r.fieldNames = db.database->FieldNames(name); });
}

TableCases ReadDatabaseTable(const std::string& path, const std::string& table, const CColumnAssignment& assignment,
                             CAnalysisData& data)
{
    ImportDatabase db = OpenImportDatabase(path);
    TableCases result;
    result.errorText = db.errorText;
    if (!db.database) return result;
    const bool chosen = db.tableName.empty();
    std::string name = chosen ? table : db.tableName;
    for (const TableDefInfo& def : db.database->TableDefs())
        if (SameName(def.name, name)) name = def.name;  // as the database spells it
    result = ReadTableIntoCases(*db.database, name, assignment, data);
    result.cases.sourcePath = ImportSourceText(path, chosen ? name : std::string());
    return result;
}

}  // namespace kalderon
