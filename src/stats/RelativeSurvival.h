#pragma once

#include <string>

#include "stats/AnalysisData.h"

namespace kalderon {

// Divides the death rows of a group's time points by the expected survival
// at their time in days (censored rows keep their initial values).
void DivideTimePointsByExpected(CGroupResult& group, const std::string& eventCode, double& maxRelativeUpper);

// Divides every interval row of a group by the expected survival at the end
// of its interval.
void DivideIntervalRowsByExpected(CGroupResult& group, double unitDays, double& maxRelativeUpper);

}  // namespace kalderon
