#pragma once

#include <string>

#include "results/ResultTextWriter.h"
#include "stats/AnalysisData.h"

namespace kalderon {

// The name of an analysis as the report's title shows it.
const std::string& AnalysisName(AnalysisKind kind, std::int32_t periodTechnique);

// The report lines before the group sections: title block with the time
// stamp and the data file, the event (and, where it matters, sex) coding,
// and the closing lines of the header for the analysis.
void WriteReportHeader(ResultTextWriter& out, const CAnalysisData& data, AnalysisKind kind,
                       const std::string& timeStamp);

}  // namespace kalderon
