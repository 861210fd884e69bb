#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "import/FieldValue.h"

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
    kDaoNoCurrentRecord = 3021,
    kDaoNoDriver = 3170,
    kDaoNotExpectedFormat = 3274,
};

// An error of the database engine: a status code and, when known, a
// description and an error number.
class DaoException : public std::exception {
public:
    // Error information present; the status code is derived from the number.
    DaoException(std::int32_t errorNumber, std::string description);
    // Only a status code.
    explicit DaoException(std::int32_t statusCode);

    const char* what() const noexcept override { return description_.c_str(); }

    std::int32_t statusCode() const { return statusCode_; }
    bool hasErrorInfo() const { return hasErrorInfo_; }
    const std::string& description() const { return description_; }
    std::int32_t errorNumber() const { return errorNumber_; }

private:
    std::int32_t statusCode_;
    bool hasErrorInfo_;
    std::string description_;
    std::int32_t errorNumber_ = 0;
};

// The rows of one table, read forward.  A freshly opened recordset stands on
// its first row (or at its end when the table is empty).
class Recordset {
public:
    virtual ~Recordset() = default;

    virtual bool IsEOF() const = 0;
    virtual void MoveNext() = 0;
    virtual int FieldCount() const = 0;
    // The number of rows the table says it holds (a hint for reserving room).
    virtual size_t RecordCountHint() const = 0;
    // The value of the current row at a 0-based field position; a position
    // outside the row raises kDaoItemNotFound.
    virtual const FieldValue& GetFieldValue(int index) const = 0;
};

// An open database: an Access file, an Excel workbook or a folder of dBase
// files.  Table names are matched without regard to letter case.
class Database {
public:
    virtual ~Database() = default;

    // Table definitions in the file's order, with their attribute bits.
    virtual std::vector<TableDefInfo> TableDefs() const = 0;
    // Field names of a table in field order.
    virtual std::vector<std::string> FieldNames(const std::string& table) const = 0;
    // The table's rows in the table's order.
    virtual std::unique_ptr<Recordset> OpenTable(const std::string& table) const = 0;

    // The table's rows sorted by its `Year` and then its `Age` field (rows
    // with equal keys keep their table order; null sorts first, numbers
    // before texts).  A table without these fields raises
    // kDaoTooFewParameters.
    std::unique_ptr<Recordset> OpenOrderedByYearAge(const std::string& table) const;
};

// Opens a database: `connect` is "" for an Access file, "Excel 8.0;" for a
// workbook and "dBase IV;" for a folder of dBase files.  Failures raise a
// DaoException.  Access files and workbooks are read by a child process
// (see IsolatedDatabase.h).
std::unique_ptr<Database> OpenDatabase(const std::string& name, const std::string& connect);
// The same with every reader in this process.
std::unique_ptr<Database> OpenDatabaseInProcess(const std::string& name, const std::string& connect);

// Raises kDaoDamagedFile for the database at `path`.
[[noreturn]] void ThrowDamagedDatabase(const std::string& path);

}  // namespace kalderon
