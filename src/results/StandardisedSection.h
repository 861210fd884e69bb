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

// The same with Brenner's weights: the methods line names the technique of
// the observed survival (`lifeTable`, else product-limit), and a group says
// when its weights are undefined or from which time on (in units of
// unitDays called unitName) its net survival cannot be trusted.
struct BrennerSectionStyle {
    bool lifeTable = true;
    bool netSurvivalRaw = false;
    double unitDays = 365.25;
    std::string unitName;
};
ReportSection WriteBrennerSection(const std::vector<StandardisedGroup>& groups, std::int32_t standard,
                                      const BrennerSectionStyle& style);

}  // namespace kalderon
