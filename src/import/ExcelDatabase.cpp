#include "import/ExcelDatabase.h"

#include <algorithm>
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
        const double seconds = std::stoi(s.substr(0, 2)) * 3600 + std::stoi(s.substr(3, 2)) * 60 + std::stoi(s.substr(6, 2));
        return FieldValue::Date(seconds / 86400.0);
    }
    const DateValue date = ParseDateText(s);
    return date.isValid() ? FieldValue::Date(date.serial()) : FieldValue::Null();
}

class ExcelDatabase : public Database {
public:
    ExcelDatabase(const void* handle, const std::string& path) : handle_(handle)
    {
        unsigned sheetCount = 0;
        freexl_get_info(handle_, FREEXL_BIFF_SHEET_COUNT, &sheetCount);
        std::vector<std::string> sheetNames;
        for (unsigned i = 0; i < sheetCount; ++i) {
            const char* name = nullptr;
            if (freexl_get_worksheet_name(handle_, static_cast<unsigned short>(i), &name) != FREEXL_OK || !name) continue;
            sheetNames.emplace_back(name);
            const SheetArea used = UsedArea(static_cast<unsigned short>(i));
            areas_.push_back(used);
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
    }
    ~ExcelDatabase() override { freexl_close(handle_); }

    std::vector<TableDefInfo> TableDefs() const override
    {
        std::vector<TableDefInfo> tables;
        for (const SheetArea& area : areas_) tables.push_back({area.tableName, 0});
        return tables;
    }

    std::vector<std::string> FieldNames(const std::string& table) const override
    {
        const SheetArea& area = Find(table);
        Select(area.sheetIndex);
        std::vector<std::string> names;
        for (unsigned c = 0; area.rowCount > 0 && c < area.columnCount; ++c) {
            std::string name = VariantToText(Cell(area.firstRow, area.firstColumn + c));
            names.push_back(name.empty() ? "F" + std::to_string(c + 1) : name);
        }
        return names;
    }

    std::unique_ptr<Recordset> OpenTable(const std::string& table) const override;

private:
    SheetArea UsedArea(unsigned short sheet) const
    {
        Select(sheet);
        unsigned rows = 0;
        unsigned short columns = 0;
        if (freexl_worksheet_dimensions(handle_, &rows, &columns) != FREEXL_OK) rows = columns = 0;
        return {std::string(), sheet, 0, rows, 0, columns};
    }

    void Select(unsigned short sheet) const
    {
        if (freexl_select_active_worksheet(handle_, sheet) != FREEXL_OK)
            throw DaoException(kDaoNotExpectedFormat, "External table is not in the expected format.");
    }

    const SheetArea& Find(const std::string& table) const
    {
        for (const SheetArea& area : areas_)
            if (SameName(area.tableName, table)) return area;
        ThrowTableNotFound(table);
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
    SheetRecordset(const ExcelDatabase& workbook, const SheetArea& area)
        : workbook_(workbook), area_(area), fieldCount_(area.rowCount > 0 ? static_cast<int>(area.columnCount) : 0)
    {
        ReadRow();
    }

    bool IsEOF() const override { return fieldCount_ == 0 || row_ >= area_.rowCount; }
    void MoveNext() override
    {
        if (IsEOF()) return;
        ++row_;
        ReadRow();
    }
    int FieldCount() const override { return fieldCount_; }
    size_t RecordCountHint() const override { return area_.rowCount > 0 ? area_.rowCount - 1 : 0; }
    const FieldValue& GetFieldValue(int index) const override
    {
        CheckFieldAccess(index, fieldCount_, IsEOF());
        return values_[static_cast<size_t>(index)];
    }

private:
    void ReadRow()
    {
        values_.clear();
        if (IsEOF()) return;
        workbook_.Select(area_.sheetIndex);
        for (int c = 0; c < fieldCount_; ++c)
            values_.push_back(workbook_.Cell(area_.firstRow + row_, area_.firstColumn + static_cast<unsigned>(c)));
    }

    const ExcelDatabase& workbook_;
    const SheetArea area_;
    const int fieldCount_;
    unsigned row_ = 1;  // row 0 holds the field names
    FieldRow values_;
};

std::unique_ptr<Recordset> ExcelDatabase::OpenTable(const std::string& table) const
{
    return std::make_unique<SheetRecordset>(*this, Find(table));
}

[[noreturn]] void ThrowNotExpectedFormat()
{
    throw DaoException(kDaoNotExpectedFormat, "External table is not in the expected format.");
}

}  // namespace

std::unique_ptr<Database> OpenExcelDatabase(const std::string& path)
{
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) throw DaoException(kDaoFileNotFound, "Could not find file '" + path + "'.");
    const auto damaged = [&path](const std::string& what) {
        return DaoException(kDaoDamagedFile, "The workbook '" + path + "' is damaged: " + what + ".");
    };
    switch (CheckWorkbookStream(path)) {
    case WorkbookStreamCheck::kSound: break;
    case WorkbookStreamCheck::kNoStream: ThrowNotExpectedFormat();
    case WorkbookStreamCheck::kRecordPastEnd: throw damaged("a record runs past its end");
    case WorkbookStreamCheck::kSheetTooLarge: throw damaged("a sheet claims more rows or columns than a sheet holds");
    case WorkbookStreamCheck::kTextPastRecord: throw damaged("a text runs past the end of its record");
    }
    const void* handle = nullptr;
    const int rc = freexl_open(path.c_str(), &handle);
    unsigned password = 0;
    if (rc == FREEXL_OK) freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &password);
    if (rc != FREEXL_OK || password == FREEXL_BIFF_OBFUSCATED) {
        if (handle) freexl_close(handle);
        ThrowNotExpectedFormat();
    }
    return std::make_unique<ExcelDatabase>(handle, path);
}

}  // namespace kalderon
