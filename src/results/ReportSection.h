#pragma once

#include <string>

#include "results/ExportText.h"

namespace kalderon {

// A section that follows the group sections of a report: its report text
// and its lines of the export.
struct ReportSection {
    std::string report;
    ExportText exportText;
};

}  // namespace kalderon
