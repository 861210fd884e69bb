#pragma once

#include <string>

#include "import/DatabaseEngine.h"

namespace kalderon {

// An OpenDocument spreadsheet (.ods), read as WorkbookDatabase says.
// Cells of the float, percentage and currency types are 64-bit reals,
// dates and times dates, booleans booleans, strings UTF-8 texts (the
// paragraphs of a cell joined by line ends); cells without a value type
// and covered cells are null.  Repeated rows and cells count as often as
// they are repeated.
DatabaseResult OpenOdsDatabase(const std::string& path);

}  // namespace kalderon
