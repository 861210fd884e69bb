#pragma once

#include <ostream>
#include <string>

#include "results/ResultReport.h"

namespace kalderon::batch {

// Writes the report to `reportPath` (to `out` when the path is empty) and,
// when `csvPath` is given, the export with "\r\n" line ends; the two texts
// are built side by side, the export on a thread of its own.  Each file
// replaces an old one only when all of it is written, the export only after
// the report.  False with the message in `error` when a text cannot be written.
bool WriteReportFiles(const ResultReport& report, const std::string& reportPath, const std::string& csvPath,
                      std::ostream& out, std::string& error);

}  // namespace kalderon::batch
