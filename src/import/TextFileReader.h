#pragma once

#include <string>

#include "import/DataSet.h"
#include "import/ReadProgress.h"
#include "import/ReaderFault.h"
#include "import/TextImportSettings.h"

namespace kalderon {

// Reads a text file of cases, one case per non-empty line, into a data set
// whose cases keep `path` as their source.  A fault with a one-line
// description when the file cannot be opened or read.  `progress` counts
// lines, empty ones included.
ReadResult<DataSet> ReadTextFile(const std::string& path, const TextImportSettings& settings,
                                 const ReadProgress& progress = {});

}  // namespace kalderon
