#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "results/ReportSection.h"
#include "stats/AgeStandardisation.h"

namespace kalderon {

// The section that follows the group sections: its report text and its
// export lines (the weights used, a header line and one line per interval,
// after the group code when there is more than one group).
ReportSection WriteStandardisedSection(const std::vector<StandardisedGroup>& groups, std::int32_t standard);

}  // namespace kalderon
