#pragma once

#include <string>
#include <vector>

#include "import/ReaderFault.h"

namespace kalderon {

// Reads one stream of the root storage of a compound document file (the
// container of .xls workbooks).  kDaoNotExpectedFormat when the file is not
// a compound document, is damaged (an entry's name longer than its field
// included) or has no stream of that name (matched without regard to ASCII
// letter case).
ReadResult<std::vector<unsigned char>> ReadCompoundStream(const std::string& path, const std::string& streamName);

}  // namespace kalderon
