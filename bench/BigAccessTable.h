#pragma once

#include <string>

namespace kalderon::bench {

// Writes a copy of a Jet 4 file whose table `table` holds at least
// `minimumRows` rows: the table's data pages are repeated, each copy with
// its case numbers moved on and its date columns shifted by a random number
// of days, and the table's page map is rewritten to list the new pages.
// Returns the number of rows written, 0 on failure.
long MakeBigAccessTable(const std::string& source, const std::string& target, const std::string& table,
                        long minimumRows);

}  // namespace kalderon::bench
