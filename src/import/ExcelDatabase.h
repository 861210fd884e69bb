#pragma once

#include <memory>
#include <string>

#include "import/DatabaseEngine.h"

namespace kalderon {

// An Excel 5.0/97 workbook.  Its tables are the worksheets, named with a
// trailing "$", followed by the workbook's named ranges.  The first row of
// a sheet or range gives the field names (an empty heading cell gives "F"
// and the column number); the rows below it are the records.  Numbers are
// 64-bit reals, dates and times date values, texts UTF-8 texts, empty
// cells null.
DatabaseResult OpenExcelDatabase(const std::string& path);

}  // namespace kalderon
