#pragma once

#include <string>

namespace kalderon {

// Texts of the application's string table, addressed by number.  Every
// message, caption, column header and report line the program writes comes
// from here, so that a line of output can be traced to its string.
// Returns an empty string for a number the table does not hold.
const std::string& LoadString(int id);

// Texts the program shows that have no number of their own.
namespace text {
inline constexpr const char* kNonYearTrend = "Analysis for non-year intervals under construction!";
inline constexpr const char* kSmrComputationError = "Error occured during computation.\n";
inline constexpr const char* kDaoErrorWithInfo = "%s   (%d)\n\n";
inline constexpr const char* kDaoErrorStatusOnly =
    "ERROR:CDaoException\n\nSCODE_CODE      =%d\nSCODE_FACILITY  =%d\nSCODE_SEVERITY  =%d\nResultFromScode =%d\n";
}  // namespace text

}  // namespace kalderon
