#include "import/DatabaseEngine.h"

#include <algorithm>
#include <strings.h>

#include "import/AccessDatabase.h"
#include "import/DbaseDatabase.h"
#include "import/ExcelDatabase.h"
#include "import/IsolatedDatabase.h"
#include "import/OdsDatabase.h"
#include "import/RowsRecordset.h"
#include "import/StatisticsDatabase.h"
#include "import/XlsxDatabase.h"

namespace kalderon {
namespace {

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

const FieldValue& RowsRecordset::GetFieldValue(int index) const
{
    const FieldRow& row = rows_[current_];
    static const FieldValue null = FieldValue::Null();
    return static_cast<size_t>(index) < row.size() ? row[index] : null;
}

const FieldValue& RowFieldReader::operator[](int index)
{
    if (index >= 0 && index < fieldCount_) return rows_.GetFieldValue(index);
    outside_ = true;
    static const FieldValue null = FieldValue::Null();
    return null;
}

ReadResult<void> RowFieldReader::outcome() const
{
    if (outside_) return ReaderFault::Engine(kDaoItemNotFound, "Item not found in this collection.");
    return {};
}

bool SameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

ReaderFault TableNotFound(const std::string& table)
{
    return ReaderFault::Engine(kDaoObjectNotFound, "Could not find the table '" + table +
                                                       "'. Make sure it exists and that its name is spelled correctly.");
}

ReadResult<std::unique_ptr<Recordset>> Database::OpenOrderedByYearAge(const std::string& table) const
{
    const ReadResult<std::vector<std::string>> names = FieldNames(table);
    if (!names) return names.fault();
    const int year = FindField(*names, "Year");
    const int age = FindField(*names, "Age");
    const int missing = (year < 0) + (age < 0);
    if (missing > 0)
        return ReaderFault::Engine(kDaoTooFewParameters, "Too few parameters. Expected " + std::to_string(missing) + ".");

    const int fieldCount = static_cast<int>(names->size());
    ReadResult<std::unique_ptr<Recordset>> source = OpenTable(table);
    if (!source) return source.fault();
    Recordset& from = **source;
    std::vector<FieldRow> rows;
    while (!from.IsEOF()) {
        RowFieldReader fields(from);
        FieldRow row;
        row.reserve(fieldCount);
        for (int i = 0; i < fieldCount; ++i) row.push_back(fields[i]);
        if (const ReadResult<void> read = fields.outcome(); !read) return read.fault();
        rows.push_back(std::move(row));
        if (const ReadResult<void> moved = from.MoveNext(); !moved) return moved.fault();
    }
    std::stable_sort(rows.begin(), rows.end(), [&](const FieldRow& a, const FieldRow& b) {
        const int byYear = CompareForSort(a[year], b[year]);
        return byYear != 0 ? byYear < 0 : CompareForSort(a[age], b[age]) < 0;
    });
    return std::make_unique<RowsRecordset>(fieldCount, std::move(rows));
}

ReaderFault DamagedDatabase(const std::string& path)
{
    return ReaderFault::Engine(kDaoDamagedFile, "Cannot open the database '" + path +
                                                    "'. It may not be a database of a known kind, or the file may be damaged.");
}

ReaderFault FileNotFound(const std::string& path)
{
    return ReaderFault::Engine(kDaoFileNotFound, "Could not find file '" + path + "'.");
}

ReaderFault CannotOpenFile(const std::string& path)
{
    return ReaderFault::Engine(kDaoCannotOpenFile, "Cannot open the file '" + path + "': you need permission to read it.");
}

ReaderFault NoDriver() { return ReaderFault::Engine(kDaoNoDriver, "Could not find installable ISAM."); }

ReaderFault NotExpectedFormat()
{
    return ReaderFault::Engine(kDaoNotExpectedFormat, "External table is not in the expected format.");
}

ReadResult<std::vector<ValueLabels>> Database::FieldValueLabels(const std::string&) const
{
    return std::vector<ValueLabels>{};
}

DatabaseResult OpenDatabaseInProcess(const std::string& name, const std::string& connect)
{
    if (connect.empty()) return OpenAccessDatabase(name);
    if (connect == "Excel 8.0;") return OpenExcelDatabase(name);
    if (connect == "dBase IV;") return OpenDbaseDatabase(name);
    if (connect == kStatisticsConnect) return OpenStatisticsDatabase(name);
    if (connect == kXlsxConnect) return OpenXlsxDatabase(name);
    if (connect == kOdsConnect) return OpenOdsDatabase(name);
    return NoDriver();
}

DatabaseResult OpenDatabase(const std::string& name, const std::string& connect)
{
#ifndef KALDERON_READERS_IN_PROCESS
    // The Access, Excel and statistics file libraries trust their files; the
    // zip and XML libraries of the other workbooks get a child of their own.
    if (connect.empty() || connect == "Excel 8.0;" || connect == kStatisticsConnect || connect == kXlsxConnect ||
        connect == kOdsConnect)
        return OpenIsolatedDatabase(name, [name, connect] { return OpenDatabaseInProcess(name, connect); });
#endif
    return OpenDatabaseInProcess(name, connect);
}

}  // namespace kalderon
