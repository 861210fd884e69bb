#include "import/ExcelDatabase.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <freexl.h>

#include "import/ExcelDefinedNames.h"
#include "import/FieldConversions.h"
#include "import/RowsRecordset.h"
#include "import/WorkbookStreamCheck.h"

namespace kalderon {
namespace {

// A rectangle of one worksheet that is read as a table.
struct SheetArea {
    std::string tableName;
    unsigned short sheetIndex = 0;
    unsigned firstRow = 0, rowCount = 0;
    unsigned firstColumn = 0, columnCount = 0;
};

// "YYYY-MM-DD", "YYYY-MM-DD HH:MM:SS" or "HH:MM:SS" as a date value.
FieldValue DateCell(const char* text)
{
    const std::string s = text ? text : "";
    if (s.size() == 8 && s[2] == ':') {
        const auto number = [&s](size_t at) { return std::atoi(s.substr(at, 2).c_str()); };
        const double seconds = number(0) * 3600 + number(3) * 60 + number(6);
        return FieldValue::Date(seconds / 86400.0);
    }
    const DateValue date = ParseDateText(s);
    return date.isValid() ? FieldValue::Date(date.serial()) : FieldValue::Null();
}

class ExcelDatabase : public Database {
public:
    explicit ExcelDatabase(const void* handle) : handle_(handle) {}
    ~ExcelDatabase() override { freexl_close(handle_); }

    // Finds the sheets and named ranges.
    ReadResult<void> ReadTableList(const std::string& path)
    {
        unsigned sheetCount = 0;
        freexl_get_info(handle_, FREEXL_BIFF_SHEET_COUNT, &sheetCount);
        std::vector<std::string> sheetNames;
        for (unsigned i = 0; i < sheetCount; ++i) {
            const char* name = nullptr;
            if (freexl_get_worksheet_name(handle_, static_cast<unsigned short>(i), &name) != FREEXL_OK || !name) continue;
            sheetNames.emplace_back(name);
            if (!Select(static_cast<unsigned short>(i))) return NotExpectedFormat();
            areas_.push_back(UsedArea(static_cast<unsigned short>(i)));
            areas_.back().tableName = sheetNames.back() + "$";
        }
        // A range is cut to the used area of its sheet, so that a range of
        // whole columns does not read the empty rows below the data.
        for (const ExcelNamedRange& range : ReadExcelNamedRanges(path)) {
            for (size_t i = 0; i < sheetNames.size(); ++i) {
                if (sheetNames[i] != range.sheetName) continue;
                const SheetArea used = areas_[i];
                const unsigned rowEnd = std::min(range.lastRow + 1, used.rowCount);
                const unsigned columnEnd = std::min(range.lastColumn + 1, used.columnCount);
                areas_.push_back({range.name, static_cast<unsigned short>(i), range.firstRow,
                                  rowEnd > range.firstRow ? rowEnd - range.firstRow : 0, range.firstColumn,
                                  columnEnd > range.firstColumn ? columnEnd - range.firstColumn : 0});
                break;
            }
        }
        return {};
    }

    std::vector<TableDefInfo> TableDefs() const override
    {
        std::vector<TableDefInfo> tables;
        for (const SheetArea& area : areas_) tables.push_back({area.tableName, 0});
        return tables;
    }

    ReadResult<std::vector<std::string>> FieldNames(const std::string& table) const override
    {
        const SheetArea* area = Find(table);
        if (!area) return TableNotFound(table);
        if (!Select(area->sheetIndex)) return NotExpectedFormat();
        std::vector<std::string> names;
        for (unsigned c = 0; area->rowCount > 0 && c < area->columnCount; ++c) {
            std::string name = VariantToText(Cell(area->firstRow, area->firstColumn + c));
            names.push_back(name.empty() ? "F" + std::to_string(c + 1) : name);
        }
        return names;
    }

    ReadResult<std::unique_ptr<Recordset>> OpenTable(const std::string& table) const override;

private:
    // The used area of the selected sheet.
    SheetArea UsedArea(unsigned short sheet) const
    {
        unsigned rows = 0;
        unsigned short columns = 0;
        if (freexl_worksheet_dimensions(handle_, &rows, &columns) != FREEXL_OK) rows = columns = 0;
        return {std::string(), sheet, 0, rows, 0, columns};
    }

    bool Select(unsigned short sheet) const { return freexl_select_active_worksheet(handle_, sheet) == FREEXL_OK; }

    const SheetArea* Find(const std::string& table) const
    {
        for (const SheetArea& area : areas_)
            if (SameName(area.tableName, table)) return &area;
        return nullptr;
    }

    FieldValue Cell(unsigned row, unsigned column) const
    {
        FreeXL_CellValue cell;
        if (column > 0xFFFF || freexl_get_cell_value(handle_, row, static_cast<unsigned short>(column), &cell) != FREEXL_OK)
            return FieldValue::Null();
        switch (cell.type) {
        case FREEXL_CELL_INT: return FieldValue::Double(cell.value.int_value);
        case FREEXL_CELL_DOUBLE: return FieldValue::Double(cell.value.double_value);
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT: return FieldValue::Text(cell.value.text_value ? cell.value.text_value : "");
        case FREEXL_CELL_DATE:
        case FREEXL_CELL_DATETIME:
        case FREEXL_CELL_TIME: return DateCell(cell.value.text_value);
        default: return FieldValue::Null();
        }
    }

    const void* handle_;
    std::vector<SheetArea> areas_;
    friend class SheetRecordset;
};

// The rows of a sheet area below its field names, each read from the
// workbook when it becomes current: memory stays at one row however many
// rows and columns the sheet declares.
class SheetRecordset : public Recordset {
public:
    // Stands on the first row once ReadRow has read it.
    SheetRecordset(const ExcelDatabase& workbook, const SheetArea& area)
        : workbook_(workbook), area_(area), fieldCount_(area.rowCount > 0 ? static_cast<int>(area.columnCount) : 0)
    {
    }

    bool IsEOF() const override { return fieldCount_ == 0 || row_ >= area_.rowCount; }
    ReadResult<void> MoveNext() override
    {
        if (IsEOF()) return {};
        ++row_;
        return ReadRow();
    }
    int FieldCount() const override { return fieldCount_; }
    size_t RecordCountHint() const override { return area_.rowCount > 0 ? area_.rowCount - 1 : 0; }
    const FieldValue& GetFieldValue(int index) const override { return values_[static_cast<size_t>(index)]; }

    ReadResult<void> ReadRow()
    {
        values_.clear();
        if (IsEOF()) return {};
        if (!workbook_.Select(area_.sheetIndex)) return NotExpectedFormat();
        for (int c = 0; c < fieldCount_; ++c)
            values_.push_back(workbook_.Cell(area_.firstRow + row_, area_.firstColumn + static_cast<unsigned>(c)));
        return {};
    }

private:

    const ExcelDatabase& workbook_;
    const SheetArea area_;
    const int fieldCount_;
    unsigned row_ = 1;  // row 0 holds the field names
    FieldRow values_;
};

ReadResult<std::unique_ptr<Recordset>> ExcelDatabase::OpenTable(const std::string& table) const
{
    const SheetArea* area = Find(table);
    if (!area) return TableNotFound(table);
    auto rows = std::make_unique<SheetRecordset>(*this, *area);
    if (const ReadResult<void> first = rows->ReadRow(); !first) return first.fault();
    return rows;
}

}  // namespace

DatabaseResult OpenExcelDatabase(const std::string& path)
{
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return FileNotFound(path);
    if (const ReadResult<void> stream = CheckWorkbookStream(path); !stream) return stream.fault();
    const void* handle = nullptr;
    const int rc = freexl_open(path.c_str(), &handle);
    unsigned password = 0;
    if (rc == FREEXL_OK) freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &password);
    if (rc != FREEXL_OK || password == FREEXL_BIFF_OBFUSCATED) {
        if (handle) freexl_close(handle);
        return NotExpectedFormat();
    }
    auto workbook = std::make_unique<ExcelDatabase>(handle);
    if (const ReadResult<void> tables = workbook->ReadTableList(path); !tables) return tables.fault();
    return workbook;
}

}  // namespace kalderon
