#pragma once

#include <string>

namespace kalderon {

// Texts of the application's string table, addressed by number.  Every
// message, caption, column header and report line the program writes comes
// from here or, when it has no number, from Texts.h, so that a line of output
// can be traced to its string.
// Returns an empty string for a number the table does not hold.
const std::string& LoadString(int id);

}  // namespace kalderon
