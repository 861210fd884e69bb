#pragma once

#include <string>

#include "results/ExportText.h"
#include "stats/AnalysisData.h"

namespace kalderon {

// Gray's tests of a competing-risks analysis, after its group sections: the
// report lines (statistic, degrees of freedom, p-value per cause) and their
// export lines; both empty without tests.
struct GrayTestTexts {
    std::string report;
    ExportText exportText;
};
GrayTestTexts WriteGrayTestSection(const CAnalysisData& data);

}  // namespace kalderon
