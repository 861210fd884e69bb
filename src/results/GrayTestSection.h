#pragma once

#include <string>

#include "results/ReportSection.h"
#include "stats/AnalysisData.h"

namespace kalderon {

// Gray's tests of a competing-risks analysis, after its group sections: the
// report lines (statistic, degrees of freedom, p-value per cause) and their
// export lines; both empty without tests.
ReportSection WriteGrayTestSection(const CAnalysisData& data);

}  // namespace kalderon
