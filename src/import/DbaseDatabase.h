#pragma once

#include <memory>
#include <string>

#include "import/DatabaseEngine.h"

namespace kalderon {

// A folder of dBase IV files: every ".dbf" file (any letter case) is a table
// named by its file name without the extension, listed in name order.
// Field types C (text, trailing blanks removed), N and F (64-bit real),
// D (date) and L (boolean) are read; a blank field, and a field of any
// other type (such as a memo), is null.  Deleted records are skipped.
DatabaseResult OpenDbaseDatabase(const std::string& folder);

}  // namespace kalderon
