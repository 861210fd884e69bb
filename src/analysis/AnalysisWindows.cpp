#include "analysis/AnalysisWindows.h"

#include "resources/StringTable.h"

namespace kalderon {

AnalysisWindowStrings WindowStringsOf(AnalysisKind kind, std::int32_t periodTechnique)
{
    switch (kind) {
    case kLifeTable:
        return {400, 401, 402, 403};
    case kPeriodAnalysis:
        return periodTechnique == kProductLimitTechnique ? AnalysisWindowStrings{410, 412, 413, 415}
                                                         : AnalysisWindowStrings{410, 411, 413, 414};
    case kTrend:
        return {420, 421, 422, 423};
    case kProductLimit:
        return {424, 425, 426, 427};
    case kCumulativeIncidence:
        return {430, 431, 432, 433};
    case kSmrSir:
        break;
    }
    return {428, 429, 0, 0};
}

std::string WindowTitle(int prefixString, const std::string& title) { return LoadString(prefixString) + "  " + title; }

}  // namespace kalderon
