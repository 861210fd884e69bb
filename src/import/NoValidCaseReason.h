#pragma once

#include <optional>
#include <string>

#include "import/DataSet.h"
#include "import/TextImportSettings.h"

namespace kalderon {

// When cases were read and none of them is valid, why, shown with the first
// case that is not valid: for a text file read with `settings`, its line,
// with each date that could not be read named with its date pattern; for a
// table (no settings), its case number.  Nothing while a case is valid or
// none was read.
std::optional<std::string> NoValidCaseReason(const DataSet& data, const TextImportSettings* settings);

}  // namespace kalderon
