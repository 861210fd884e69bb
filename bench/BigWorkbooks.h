#pragma once

#include <string>

namespace kalderon::bench {

enum class WorkbookKind { kXlsx, kOds };

// A workbook in the temporary folder (written on first use and kept for
// later runs) whose sheet "Cases" holds a row of field names and the cases
// of SharedCaseFile(count), written as the office programs write them:
// dates as date cells, the age group as a text (shared in .xlsx), each .ods
// cell with its displayed text and the row padded with empty cells to the
// sheet's width.
const std::string& SharedWorkbook(WorkbookKind kind, long count);

}  // namespace kalderon::bench
