#include "stats/PopulationTableLoader.h"

#include "import/DatabaseEngine.h"
#include "import/DatabaseImport.h"
#include "import/FieldConversions.h"

namespace kalderon {
namespace {

constexpr int kYearColumn = 0;
constexpr int kFirstSexColumn = 2;
constexpr int kSecondSexColumn = 3;

void AppendRow(const Recordset& rows, std::vector<CPopulationYearTable>& tables)
{
    std::int32_t year = 0;
    double first = 0.0, second = 0.0;
    if (!VariantToInt(rows.GetFieldValue(kYearColumn), year) ||
        !VariantToDouble(rows.GetFieldValue(kFirstSexColumn), first) ||
        !VariantToDouble(rows.GetFieldValue(kSecondSexColumn), second))
        return;
    if (tables.empty() || tables.back().year != year) tables.push_back(CPopulationYearTable{year, {}, {}});
    tables.back().firstSex.push_back(first);
    tables.back().secondSex.push_back(second);
}

}  // namespace

bool ListPopulationTables(const std::string& databasePath, std::vector<std::string>& names, std::string& errorText)
{
    names.clear();
    try {
        const std::unique_ptr<Database> database = OpenDatabase(databasePath, "");
        for (const TableDefInfo& table : database->TableDefs())
            if (!table.isSystemObject()) names.push_back(table.name);
    } catch (const DaoException& e) {
        names.clear();
        errorText = FormatDaoError(e);
        return false;
    }
    return true;
}

bool LoadPopulationTable(const std::string& databasePath, const std::string& tableName,
                         std::vector<CPopulationYearTable>& tables, std::string& errorText)
{
    tables.clear();
    try {
        const std::unique_ptr<Database> database = OpenDatabase(databasePath, "");
        if (tableName.empty()) return true;
        for (auto rows = database->OpenOrderedByYearAge(tableName); !rows->IsEOF(); rows->MoveNext())
            AppendRow(*rows, tables);
    } catch (const DaoException& e) {
        tables.clear();
        errorText = FormatDaoError(e);
        return false;
    }
    return true;
}

}  // namespace kalderon
