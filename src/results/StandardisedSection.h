#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "results/ExportText.h"
#include "stats/AgeStandardisation.h"

namespace kalderon {

// The section that follows the group sections: its report text and its
// export lines (the weights used, a header line and one line per interval,
// after the group code when there is more than one group).
struct StandardisedTexts {
    std::string report;
    ExportText exportText;
};
StandardisedTexts WriteStandardisedSection(const std::vector<StandardisedGroup>& groups, std::int32_t standard);

}  // namespace kalderon
