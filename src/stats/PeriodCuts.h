#pragma once

#include <cstdint>
#include <string>

#include "stats/AnalysisData.h"
#include "stats/CaseRecord.h"

namespace kalderon {

// The follow-up of a case as seen from one boundary of the period of
// interest: its time in days and whether the status used for counting is the
// event.  A follow-up cut at the boundary takes the cut-off status (the real
// status with "C" appended), which never equals the event code.
struct PeriodCut {
    std::int32_t days = 0;
    bool isCutOff = false;
    bool isEvent = false;
};

// Whole days from `from` to `to`, truncated toward zero.
inline std::int32_t DaysBetween(const DateValue& from, const DateValue& to)
{
    return static_cast<std::int32_t>(to.serial() - from.serial());
}

// Follow-up censored the day before the period begins; negative days for a
// case that begins on or after that day.
inline PeriodCut CutAtPeriodBegin(const CCaseRecord& c, const CAnalysisData& data)
{
    if (c.endDate.serial() < data.periodBegin.serial())
        return {c.observationDays, false, c.statusText == data.eventCode};
    return {DaysBetween(c.beginDate, data.periodBegin) - 1, true, false};
}

// Follow-up censored at the end of the period; negative days for a case that
// begins after it.
inline PeriodCut CutAtPeriodEnd(const CCaseRecord& c, const CAnalysisData& data)
{
    if (c.endDate.serial() <= data.periodEnd.serial())
        return {c.observationDays, false, c.statusText == data.eventCode};
    return {DaysBetween(c.beginDate, data.periodEnd), true, false};
}

// The status text a cut follow-up is counted with.
inline std::string CutStatusText(const CCaseRecord& c, const PeriodCut& cut, const std::string& eventCode)
{
    std::string text = c.statusText.str();
    if (cut.isCutOff && c.statusText == eventCode) text.push_back('C');
    return text;
}

}  // namespace kalderon
