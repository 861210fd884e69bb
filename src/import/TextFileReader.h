#pragma once

#include <string>

#include "import/DataSet.h"
#include "import/TextImportSettings.h"

namespace kalderon {

// Reads a text file of cases, one case per non-empty line, into a fresh data
// set whose cases keep `path` as their source.  Returns false with a one-line
// reason in `error` when the file cannot be opened or read.
bool ReadTextFile(const std::string& path, const TextImportSettings& settings, DataSet& dataSet,
                  std::string& error);

}  // namespace kalderon
