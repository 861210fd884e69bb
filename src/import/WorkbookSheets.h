#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <deque>
#include <functional>

#include "import/DatabaseEngine.h"
#include "import/XmlPartReader.h"

namespace kalderon {

// The largest sheet a workbook may declare or fill.
inline constexpr std::uint32_t kSheetRowLimit = 1'048'576;
inline constexpr std::uint32_t kSheetColumnLimit = 16'384;

// A row of a sheet as a reader meets it.
struct SheetRow {
    std::uint32_t index = 0;        // 0-based row number
    std::uint32_t repeat = 1;       // how many equal rows it stands for
    std::vector<FieldValue> cells;  // from the first column, null where a cell is empty
};

// The rows of one sheet in increasing order of their index.  Rows that are
// left out are empty.
class SheetRows {
public:
    virtual ~SheetRows() = default;
    // The next row; false at the end of the sheet.
    virtual ReadResult<bool> Next(SheetRow& row) = 0;
    // The rows and columns the sheet says it spans; 0 when it does not say.
    virtual std::uint32_t DeclaredRows() const { return 0; }
    virtual std::uint32_t DeclaredColumns() const { return 0; }
    // How much of the sheet has been read, from 0 to 1, where it is known.
    virtual double ShareRead() const { return 0; }
};

// The rows of a sheet's XML part, parsed as they are asked for: the
// handler of the part gives each row with Deliver at the row's end, and the
// parse pauses there, so one row is held at a time.
class ParsedSheetRows : public SheetRows, protected XmlHandler {
public:
    void Attach(std::unique_ptr<ZipMember> part);
    ReadResult<bool> Next(SheetRow& row) override;
    // The share of the part read (where the sheet ends is not known ahead).
    double ShareRead() const override;

protected:
    // A row to fill, with room for as many cells as the widest row so far.
    SheetRow NewRow(std::uint32_t index, std::uint32_t repeat) const;
    void Deliver(SheetRow row);
    // Parses until `reached` holds; false when the part ends before.
    ReadResult<bool> ParseUntil(const std::function<bool()>& reached);

private:
    std::unique_ptr<XmlPartReader> reader_;
    std::deque<SheetRow> ready_;
    std::size_t widest_ = 0;
};

// A workbook of the zip-and-XML kind (.xlsx, .ods).  Its tables are its
// worksheets, named with a trailing "$" as those of an Excel 97 workbook.
// The first row of a sheet gives the field names (an empty heading cell
// gives "F" and the column number); there are as many fields as the sheet
// declares columns, or else as the first row has up to its last heading.
// The rows below are the records: empty rows between records are records
// of null fields, empty rows after the last record are none.
class WorkbookDatabase : public Database {
public:
    std::vector<TableDefInfo> TableDefs() const override;
    ReadResult<std::vector<std::string>> FieldNames(const std::string& table) const override;
    ReadResult<std::unique_ptr<Recordset>> OpenTable(const std::string& table) const override;

protected:
    // The names of the worksheets in the workbook's order.
    virtual std::vector<std::string> SheetNames() const = 0;
    // The rows of the worksheet of that name (matched as SameName does);
    // TableNotFound when there is none.
    virtual ReadResult<std::unique_ptr<SheetRows>> OpenSheet(const std::string& sheet) const = 0;

private:
    ReadResult<std::unique_ptr<SheetRows>> OpenTableSheet(const std::string& table) const;
};

// A fault of the sheet `sheet`: `format` names the sheet and then `what`.
ReaderFault SheetFault(const char* format, const std::string& sheet, const std::string& what = std::string());

// The 0-based column and row of a cell reference such as "B12"; false for
// anything else.  Beyond the limits above it gives kSheetColumnLimit or
// kSheetRowLimit.
bool ParseCellReference(std::string_view reference, std::uint32_t& column, std::uint32_t& row);

}  // namespace kalderon
