#pragma once

#include <string>
#include <vector>

namespace kalderon {

// A workbook-wide defined name that refers to one rectangle of one sheet.
struct ExcelNamedRange {
    std::string name;       // UTF-8
    std::string sheetName;  // UTF-8, as the sheet is named in the workbook
    unsigned firstRow = 0, lastRow = 0;
    unsigned firstColumn = 0, lastColumn = 0;
};

// The named ranges of an Excel 97 (BIFF8) workbook in the order the
// workbook defines them.  Built-in, hidden, sheet-local and macro names and
// names that are not a single cell area of one sheet are left out; an
// unreadable workbook has none.
std::vector<ExcelNamedRange> ReadExcelNamedRanges(const std::string& path);

}  // namespace kalderon
