#include "analysis/PeriodOfInterest.h"

#include <algorithm>

#include "analysis/UnitBounds.h"
#include "common/TextFormat.h"
#include "resources/Texts.h"

namespace kalderon {

bool PeriodBeginsAfterEnd(const DateValue& begin, const DateValue& end, std::int32_t unit)
{
    return begin.isValid() && end.isValid() && StartOfUnit(begin, unit).serial() > EndOfUnit(end, unit).serial();
}

PeriodFault TakePeriodOfInterest(CAnalysisData& data, const DateValue& begin, const DateValue& end)
{
    if (PeriodBeginsAfterEnd(begin, end, data.timeUnit)) return PeriodFault::kBeginAfterEnd;
    // What preparing the window sets.
    const DateValue windowBegin = data.windowBegin, windowEnd = data.windowEnd;
    const DateValue periodBegin = data.periodBegin, periodEnd = data.periodEnd;
    const std::int32_t survivalYears = data.survivalYears, periodWidth = data.periodWidth;
    data.periodBegin = begin;
    data.periodEnd = end;
    data.PrepareTimeWindow();
    // Kept inside the window, a period wholly outside it ends before it begins.
    if (data.periodBegin.serial() <= data.periodEnd.serial()) return PeriodFault::kNone;
    data.windowBegin = windowBegin;
    data.windowEnd = windowEnd;
    data.periodBegin = periodBegin;
    data.periodEnd = periodEnd;
    data.survivalYears = survivalYears;
    data.periodWidth = periodWidth;
    return PeriodFault::kOutsideWindow;
}

std::string PeriodFaultMessage(PeriodFault fault, const DateValue& begin, const DateValue& end,
                               const CAnalysisData& data)
{
    switch (fault) {
    case PeriodFault::kBeginAfterEnd:
        return FormatText(text::kPeriodBeginsAfterEnd, begin.displayText(), end.displayText());
    case PeriodFault::kOutsideWindow:
        return FormatText(text::kPeriodOutsideWindow, begin.displayText(), end.displayText(),
                          data.windowBegin.displayText(), data.windowEnd.displayText());
    case PeriodFault::kNone: break;
    }
    return {};
}

std::optional<std::string> EmptyPeriodNote(const CAnalysisData& data, const CaseList& cases)
{
    const bool productLimit = data.periodTechnique == kProductLimitTechnique;
    for (const CGroupResult& group : data.groupResults)
        if (productLimit ? !group.timePoints.empty() : !group.intervalTable.rows.empty()) return std::nullopt;
    const double begin = data.periodBegin.serial(), end = data.periodEnd.serial();
    bool underFollowUp = false;
    for (size_t k = 0; k < cases.records.size() && !underFollowUp; ++k) {
        const CCaseRecord& c = cases.records[k];
        underFollowUp = c.isValid && cases.IsSelected(k) && c.endDate.serial() >= begin && c.beginDate.serial() <= end;
    }
    return FormatText(underFollowUp ? text::kPeriodWithoutEntries : text::kPeriodWithoutCases,
                      data.periodBegin.displayText(), data.periodEnd.displayText());
}

}  // namespace kalderon
