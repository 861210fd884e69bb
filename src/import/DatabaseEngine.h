#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "import/FieldValue.h"
#include "import/ReaderFault.h"
#include "stats/ValueLabels.h"

namespace kalderon {

// Attribute bits that mark a table definition as a system object.
inline constexpr std::uint32_t kDbSystemObject = 0x80000002u;

struct TableDefInfo {
    std::string name;
    std::uint32_t attributes = 0;

    bool isSystemObject() const { return (attributes & kDbSystemObject) != 0; }
};

// Error numbers the readers report.
enum DaoErrorNumber : std::int32_t {
    kDaoFileNotFound = 3024,
    kDaoObjectNotFound = 3011,
    kDaoInvalidPath = 3044,
    kDaoCannotOpenFile = 3051,
    kDaoTooFewParameters = 3061,
    kDaoItemNotFound = 3265,
    kDaoUnrecognizedFormat = 3343,
    kDaoDamagedFile = 3049,
    kDaoNoDriver = 3170,
    kDaoNotExpectedFormat = 3274,
};

// The rows of one table, read forward.  A freshly opened recordset stands on
// its first row (or at its end when the table is empty).
class Recordset {
public:
    virtual ~Recordset() = default;

    virtual bool IsEOF() const = 0;
    // Steps to the next row; a fault when the row cannot be read.
    virtual ReadResult<void> MoveNext() = 0;
    virtual int FieldCount() const = 0;
    // The number of rows the table says it holds (a hint for reserving room).
    virtual size_t RecordCountHint() const = 0;
    // The value of the current row (not at the end) at a 0-based field
    // position below FieldCount() (RowFieldReader checks the position).
    virtual const FieldValue& GetFieldValue(int index) const = 0;
};

// The fields of the current row by position, for a reader that takes them as
// it needs them: a position outside the row reads as null, and outcome()
// then gives kDaoItemNotFound.
class RowFieldReader {
public:
    explicit RowFieldReader(const Recordset& rows) : rows_(rows), fieldCount_(rows.FieldCount()) {}

    const FieldValue& operator[](int index);
    ReadResult<void> outcome() const;

private:
    const Recordset& rows_;
    const int fieldCount_;
    bool outside_ = false;
};

// An open database: an Access file, an Excel workbook or a folder of dBase
// files.  Table names are matched without regard to letter case.
class Database {
public:
    virtual ~Database() = default;

    // Table definitions in the file's order, with their attribute bits.
    virtual std::vector<TableDefInfo> TableDefs() const = 0;
    // Field names of a table in field order.
    virtual ReadResult<std::vector<std::string>> FieldNames(const std::string& table) const = 0;
    // The table's rows in the table's order.
    virtual ReadResult<std::unique_ptr<Recordset>> OpenTable(const std::string& table) const = 0;
    // The value labels of a table's fields in field order, keyed by the
    // value's text as VariantToText writes it; fewer entries (or none) where
    // the file gives a field no labels.
    virtual ReadResult<std::vector<ValueLabels>> FieldValueLabels(const std::string& table) const;

    // The table's rows sorted by its `Year` and then its `Age` field (rows
    // with equal keys keep their table order; null sorts first, numbers
    // before texts).  A table without these fields gives
    // kDaoTooFewParameters.
    ReadResult<std::unique_ptr<Recordset>> OpenOrderedByYearAge(const std::string& table) const;
};

using DatabaseResult = ReadResult<std::unique_ptr<Database>>;

// The connect string of a Stata, SAS or SPSS data file (StatisticsDatabase.h).
inline constexpr const char* kStatisticsConnect = "Statistics;";

// Opens a database: `connect` is "" for an Access file, "Excel 8.0;" for a
// workbook, "dBase IV;" for a folder of dBase files, kXlsxConnect or
// kOdsConnect for the workbooks of those kinds and kStatisticsConnect for a
// statistics package's data file.  Access files, workbooks and statistics
// files are read by a child process (see IsolatedDatabase.h).
DatabaseResult OpenDatabase(const std::string& name, const std::string& connect);
inline constexpr const char* kXlsxConnect = "Excel 12.0 Xml;";
inline constexpr const char* kOdsConnect = "OpenDocument Spreadsheet;";
// The same with every reader in this process.
DatabaseResult OpenDatabaseInProcess(const std::string& name, const std::string& connect);

// kDaoDamagedFile for the database at `path`.
ReaderFault DamagedDatabase(const std::string& path);
// kDaoFileNotFound and kDaoCannotOpenFile (no permission to read) for a file.
ReaderFault FileNotFound(const std::string& path);
ReaderFault CannotOpenFile(const std::string& path);
// kDaoNoDriver: a kind of file no reader knows.
ReaderFault NoDriver();
// kDaoNotExpectedFormat: a workbook or table file of a form no reader knows.
ReaderFault NotExpectedFormat();

}  // namespace kalderon
