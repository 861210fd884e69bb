#pragma once

#include <optional>
#include <string>
#include <vector>

#include "import/ReaderFault.h"
#include "import/ZipArchive.h"

namespace kalderon {

// The names of the tables of an OpenDocument spreadsheet's content.xml (its
// "table" elements outside other tables, prefixes dropped), found from
// their start tags alone: in XML a "<" stands only where markup begins, so
// once comments, CDATA sections and processing instructions are skipped,
// the tags of tables are found without parsing the rows between them.  For
// a part that is well-formed XML the names are those a parser finds.
// Nothing when a piece of markup is longer than 64 KiB.
ReadResult<std::optional<std::vector<std::string>>> ScanTableNames(ZipMember& content);

}  // namespace kalderon
