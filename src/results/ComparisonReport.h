#pragma once

#include <string>
#include <vector>

#include "results/ExportText.h"
#include "stats/GroupComparison.h"

namespace kalderon {

struct ComparisonTexts {
    std::string report;      // follows the report of the analysis, starting with its empty lines
    std::string exportText;  // a semicolon-separated text of its own, lines ended by "\n"
    std::vector<ExportTable> tables;  // the export's tables as values
};

// The section of the results report and its export for a comparison of
// groups; ciLevelText names the level of the quartiles' limits.  Empty texts
// for an empty comparison.
ComparisonTexts WriteComparisonSection(const GroupComparison& comparison, const std::string& ciLevelText);

}  // namespace kalderon
