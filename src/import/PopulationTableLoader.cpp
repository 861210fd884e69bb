#include "import/PopulationTableLoader.h"

#include <cmath>

#include "import/DatabaseEngine.h"
#include "import/FieldConversions.h"

namespace kalderon {
namespace {

constexpr int kYearColumn = 0;
constexpr int kAgeColumn = 1;
constexpr std::int32_t kFirstYear = 1;
constexpr std::int32_t kLastYear = 9999;
constexpr std::int32_t kOldestAge = 150;
constexpr int kFirstSexColumn = 2;
constexpr int kSecondSexColumn = 3;

// Why a row that holds numbers cannot belong to a population table; empty
// when it can.  Ages are counted per year, so a year cannot have more rows
// than there are ages.
std::string RowFault(std::int32_t year, double age, double first, double second, PopulationValues values,
                     size_t agesOfYear)
{
    if (year < kFirstYear || year > kLastYear) return "the year " + std::to_string(year) + " is outside 1 to 9999";
    if (!(age >= 0 && age <= kOldestAge)) return "the age is outside 0 to 150";
    if (agesOfYear > kOldestAge) return "the year " + std::to_string(year) + " has more than 151 rows";
    const double largest = values == PopulationValues::kProbabilities ? 1.0 : HUGE_VAL;
    for (double value : {first, second})
        if (!(value >= 0 && value <= largest) || !std::isfinite(value))
            return values == PopulationValues::kProbabilities ? "a probability is outside 0 to 1"
                                                               : "a rate is negative or not a number";
    return {};
}

// Appends the row; the reason when the row is refused.
std::string AppendRow(RowFieldReader& row, PopulationValues values, std::vector<CPopulationYearTable>& tables)
{
    std::int32_t year = 0;
    double age = 0.0, first = 0.0, second = 0.0;
    if (!VariantToInt(row[kYearColumn], year) || !VariantToDouble(row[kFirstSexColumn], first) ||
        !VariantToDouble(row[kSecondSexColumn], second))
        return {};
    if (!VariantToDouble(row[kAgeColumn], age)) age = -1;
    const bool sameYear = !tables.empty() && tables.back().year == year;
    const std::string fault = RowFault(year, age, first, second, values, sameYear ? tables.back().firstSex.size() : 0);
    if (!fault.empty()) return fault;
    if (!sameYear) tables.push_back(CPopulationYearTable{year, {}, {}});
    tables.back().firstSex.push_back(first);
    tables.back().secondSex.push_back(second);
    return {};
}

ReadResult<std::vector<CPopulationYearTable>> ReadPopulationTable(const std::string& databasePath,
                                                                  const std::string& tableName, PopulationValues values)
{
    const DatabaseResult database = OpenDatabase(databasePath, "");
    if (!database) return database.fault();
    std::vector<CPopulationYearTable> tables;
    if (tableName.empty()) return tables;
    const ReadResult<std::unique_ptr<Recordset>> ordered = (*database)->OpenOrderedByYearAge(tableName);
    if (!ordered) return ordered.fault();
    Recordset& rows = **ordered;
    for (size_t row = 1; !rows.IsEOF(); ++row) {
        RowFieldReader fields(rows);
        const std::string fault = AppendRow(fields, values, tables);
        if (const ReadResult<void> read = fields.outcome(); !read) return read.fault();
        if (!fault.empty())
            return ReaderFault::Described("The table " + tableName + " of " + databasePath + " cannot be used: in row " +
                                          std::to_string(row) + " (ordered by Year and Age) " + fault + ".");
        if (const ReadResult<void> moved = rows.MoveNext(); !moved) return moved.fault();
    }
    return tables;
}

}  // namespace

ReadResult<std::vector<std::string>> ListPopulationTables(const std::string& databasePath)
{
    const DatabaseResult database = OpenDatabase(databasePath, "");
    if (!database) return InFile(database.fault(), databasePath);
    std::vector<std::string> names;
    for (const TableDefInfo& table : (*database)->TableDefs())
        if (!table.isSystemObject()) names.push_back(table.name);
    return names;
}

ReadResult<std::vector<CPopulationYearTable>> LoadPopulationTable(const std::string& databasePath,
                                                                  const std::string& tableName, PopulationValues values)
{
    return InFile(ReadPopulationTable(databasePath, tableName, values), databasePath);
}

}  // namespace kalderon
