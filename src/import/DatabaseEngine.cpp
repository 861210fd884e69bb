#include "import/DatabaseEngine.h"

#include <algorithm>
#include <strings.h>

#include "import/AccessDatabase.h"
#include "import/DbaseDatabase.h"
#include "import/ExcelDatabase.h"
#include "import/IsolatedDatabase.h"
#include "import/RowsRecordset.h"

namespace kalderon {
namespace {

// Status code of an engine error with the given number: severity error,
// facility 10, the number in the low word.
std::int32_t StatusCodeOf(std::int32_t errorNumber)
{
    return static_cast<std::int32_t>(0x800A0000u | (static_cast<std::uint32_t>(errorNumber) & 0xFFFFu));
}

int FindField(const std::vector<std::string>& names, const char* wanted)
{
    for (size_t i = 0; i < names.size(); ++i)
        if (SameName(names[i], wanted)) return static_cast<int>(i);
    return -1;
}

// Order of values in a sort: null and empty, then numbers, then texts.
int SortClass(const FieldValue& v)
{
    switch (v.type) {
    case VT_EMPTY:
    case VT_NULL: return 0;
    case VT_BSTR: return 2;
    default: return 1;
    }
}

double SortNumber(const FieldValue& v)
{
    switch (v.type) {
    case VT_R4:
    case VT_R8:
    case VT_DATE: return v.real;
    case VT_CY: return static_cast<double>(v.integer) / 10000.0;
    default: return static_cast<double>(v.integer);
    }
}

int CompareForSort(const FieldValue& a, const FieldValue& b)
{
    const int ca = SortClass(a), cb = SortClass(b);
    if (ca != cb) return ca < cb ? -1 : 1;
    if (ca == 1) {
        const double x = SortNumber(a), y = SortNumber(b);
        return x < y ? -1 : (y < x ? 1 : 0);
    }
    if (ca == 2) return strcasecmp(a.text.c_str(), b.text.c_str());
    return 0;
}

}  // namespace

DaoException::DaoException(std::int32_t errorNumber, std::string description)
    : statusCode_(StatusCodeOf(errorNumber)),
      hasErrorInfo_(true),
      description_(std::move(description)),
      errorNumber_(errorNumber)
{
}

DaoException::DaoException(std::int32_t statusCode) : statusCode_(statusCode), hasErrorInfo_(false) {}

const FieldValue& RowsRecordset::GetFieldValue(int index) const
{
    CheckFieldAccess(index, fieldCount_, IsEOF());
    const FieldRow& row = rows_[current_];
    static const FieldValue null = FieldValue::Null();
    return static_cast<size_t>(index) < row.size() ? row[index] : null;
}

void CheckFieldAccess(int index, int fieldCount, bool atEnd)
{
    if (index < 0 || index >= fieldCount) throw DaoException(kDaoItemNotFound, "Item not found in this collection.");
    if (atEnd) throw DaoException(kDaoNoCurrentRecord, "No current record.");
}

bool SameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

void ThrowTableNotFound(const std::string& table)
{
    throw DaoException(kDaoObjectNotFound, "Could not find the table '" + table +
                                               "'. Make sure it exists and that its name is spelled correctly.");
}

std::unique_ptr<Recordset> Database::OpenOrderedByYearAge(const std::string& table) const
{
    const std::vector<std::string> names = FieldNames(table);
    const int year = FindField(names, "Year");
    const int age = FindField(names, "Age");
    const int missing = (year < 0) + (age < 0);
    if (missing > 0) throw DaoException(kDaoTooFewParameters, "Too few parameters. Expected " + std::to_string(missing) + ".");

    const int fieldCount = static_cast<int>(names.size());
    std::vector<FieldRow> rows;
    for (auto source = OpenTable(table); !source->IsEOF(); source->MoveNext()) {
        FieldRow row;
        row.reserve(fieldCount);
        for (int i = 0; i < fieldCount; ++i) row.push_back(source->GetFieldValue(i));
        rows.push_back(std::move(row));
    }
    std::stable_sort(rows.begin(), rows.end(), [&](const FieldRow& a, const FieldRow& b) {
        const int byYear = CompareForSort(a[year], b[year]);
        return byYear != 0 ? byYear < 0 : CompareForSort(a[age], b[age]) < 0;
    });
    return std::make_unique<RowsRecordset>(fieldCount, std::move(rows));
}

void ThrowDamagedDatabase(const std::string& path)
{
    throw DaoException(kDaoDamagedFile, "Cannot open the database '" + path +
                                            "'. It may not be a database of a known kind, or the file may be damaged.");
}

std::unique_ptr<Database> OpenDatabaseInProcess(const std::string& name, const std::string& connect)
{
    if (connect.empty()) return OpenAccessDatabase(name);
    if (connect == "Excel 8.0;") return OpenExcelDatabase(name);
    if (connect == "dBase IV;") return OpenDbaseDatabase(name);
    throw DaoException(kDaoNoDriver, "Could not find installable ISAM.");
}

std::unique_ptr<Database> OpenDatabase(const std::string& name, const std::string& connect)
{
#ifndef KALDERON_READERS_IN_PROCESS
    // The Access and Excel libraries trust their files.
    if (connect.empty() || connect == "Excel 8.0;")
        return OpenIsolatedDatabase(name, [name, connect] { return OpenDatabaseInProcess(name, connect); });
#endif
    return OpenDatabaseInProcess(name, connect);
}

}  // namespace kalderon
