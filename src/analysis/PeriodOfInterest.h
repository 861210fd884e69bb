#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "stats/AnalysisData.h"
#include "stats/CaseList.h"

namespace kalderon {

// Why a period of interest given as two dates is not taken.
enum class PeriodFault { kNone, kBeginAfterEnd, kOutsideWindow };

// Whether `begin`, moved to the start of its time unit, lies after `end`,
// moved to the end of its unit; dates that are not valid never do.
bool PeriodBeginsAfterEnd(const DateValue& begin, const DateValue& end, std::int32_t unit);

// Takes the period of interest `begin` to `end` into the record in its time
// unit, as the window is prepared (PrepareTimeWindow): widened to whole
// units and kept inside the observation window, a date that is not valid
// standing for the window's edge.  A period that begins after it ends, or
// lies wholly outside the window, is not taken: the record stays as it was.
PeriodFault TakePeriodOfInterest(CAnalysisData& data, const DateValue& begin, const DateValue& end);

// The message of a fault: the period as given and, when it lies outside,
// the observation window; empty for kNone.
std::string PeriodFaultMessage(PeriodFault fault, const DateValue& begin, const DateValue& end,
                               const CAnalysisData& data);

// After a period analysis: when no group has a result row, why: no valid
// case is under follow-up in the period of interest, or, for the life table
// technique, none begins its follow-up in it, so that no case enters the
// first interval.  Nothing when a group has a row.
std::optional<std::string> EmptyPeriodNote(const CAnalysisData& data, const CaseList& cases);

}  // namespace kalderon
