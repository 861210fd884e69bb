#include "stats/SurvivalAtTimes.h"

#include <algorithm>
#include <cmath>

#include "common/TextFormat.h"
#include "resources/Texts.h"
#include "stats/DelayedEntryAtRisk.h"
#include "stats/GroupCounters.h"
#include "stats/TimeUnit.h"

namespace kalderon {
namespace {

// Interval ends are whole units; a time read from a text such as "5" or
// "5.0" is one exactly, a computed one within rounding.
std::optional<size_t> IntervalEnd(double time)
{
    const double whole = std::round(time);
    if (std::fabs(time - whole) > 1e-9 * std::max(1.0, whole)) return std::nullopt;
    return static_cast<size_t>(whole);
}

template <typename Row>
CurveValue ValueOfRow(const Row& row)
{
    CurveValue value;
    value.cumulativeSurvival = row.cumulativeSurvival;
    value.expectedSurvival = row.expectedSurvival;
    value.relativeSurvival = row.relativeSurvival;
    value.standardError = row.standardError;
    value.lowerLimit = row.lowerLimit;
    value.upperLimit = row.upperLimit;
    value.hasStandardError = row.hasStandardError != 0;
    return value;
}

// Rows are in time order.  Without delayed entry every case entered at 0,
// so the cases at risk are the rows from the first one at the time on.
CurveValue TimePointValueAt(const CGroupResult& group, const std::string& eventCode, double days, bool delayedEntry)
{
    const std::vector<CTimePointResult>& rows = group.timePoints;
    CurveValue value;
    const auto from = std::lower_bound(rows.begin(), rows.end(), days,
                                       [](const CTimePointResult& row, double t) { return row.survivalDays < t; });
    const auto enteredBefore = [days](const CTimePointResult& row) { return EnteredBy(row, days); };
    value.atRisk = static_cast<double>(delayedEntry ? std::count_if(from, rows.end(), enteredBefore)
                                                    : rows.end() - from);
    if (from == rows.end()) {
        value.inFollowUp = false;
        return value;
    }
    // The last death at or before the time.
    auto end = std::upper_bound(from, rows.end(), days,
                                [](double t, const CTimePointResult& row) { return t < row.survivalDays; });
    while (end != rows.begin()) {
        --end;
        if (end->statusText == eventCode) {
            const std::optional<double> cases = value.atRisk;
            value = ValueOfRow(*end);
            value.atRisk = cases;
            return value;
        }
    }
    value.hasStandardError = true;  // 1 before the first death, with standard error 0
    return value;
}

// The cases entering interval `index` (0-based): of a period analysis those
// that enter it within the period.
std::optional<double> EnteringInterval(const CGroupResult& group, size_t index, bool period)
{
    if (period) {
        if (index >= group.countsAtPeriodEnd.size() || index >= group.countsAtPeriodBegin.size()) return 0.0;
        return (group.countsAtPeriodEnd[index] - group.countsAtPeriodBegin[index]).entered;
    }
    if (index >= group.countsAll.size()) return group.countsAll.empty() ? std::nullopt : std::optional<double>(0.0);
    return group.countsAll[index].entered;
}

CurveValue IntervalValueAt(const CGroupResult& group, double time, bool period)
{
    const size_t end = IntervalEnd(time).value_or(0);
    const std::vector<CIntervalResult>& rows = group.intervalTable.rows;
    CurveValue value;
    // An interval nobody was exposed in keeps the initial values of its row.
    if (end == 0 || end > rows.size() || !(rows[end - 1].exposedToRisk > 0.0)) {
        value.inFollowUp = false;
        value.atRisk = 0.0;
        return value;
    }
    value = ValueOfRow(rows[end - 1]);
    value.atRisk = EnteringInterval(group, end, period);
    return value;
}

}  // namespace

bool HasTimePoints(AnalysisKind kind, std::int32_t periodTechnique)
{
    return kind == kProductLimit || (kind == kPeriodAnalysis && periodTechnique == kProductLimitTechnique);
}

bool HasSurvivalAtTimes(AnalysisKind kind)
{
    return kind == kLifeTable || kind == kProductLimit || kind == kPeriodAnalysis;
}

std::vector<double> DefaultChosenTimes(std::int32_t timeUnit)
{
    switch (timeUnit) {
    case kUnitMonth: return {12, 36, 60, 120};
    case kUnitWeek: return {52, 156, 260, 520};
    case kUnitDay: return {365, 1096, 1826, 3653};
    default: return {1, 3, 5, 10};
    }
}

Refusal ChosenTimesRefusal(const std::vector<double>& times, bool intervals)
{
    if (times.empty()) return std::string(text::kNoChosenTime);
    for (const double time : times) {
        if (!(time > 0.0) || !std::isfinite(time)) return FormatText(text::kChosenTimeNotPositive, time);
        if (intervals && !IntervalEnd(time)) return FormatText(text::kChosenTimeNoIntervalEnd, time);
    }
    return std::nullopt;
}

CurveValue CurveValueAt(const CAnalysisData& data, const CGroupResult& group, AnalysisKind kind, double time)
{
    if (HasTimePoints(kind, data.periodTechnique))
        return TimePointValueAt(group, data.eventCode, time * UnitDays(data.timeUnit), kind == kPeriodAnalysis);
    return IntervalValueAt(group, time, kind == kPeriodAnalysis);
}

std::vector<const CGroupResult*> AnalysedGroups(const CAnalysisData& data, bool stratified)
{
    std::vector<const CGroupResult*> groups;
    const int count = std::min(AnalysedGroupCount(data, stratified), static_cast<int>(data.groupResults.size()));
    for (int g = 0; g < count; ++g)
        if (data.groupResults[g].info.recordsRead > 0) groups.push_back(&data.groupResults[g]);
    return groups;
}

SurvivalAtTimes ReadSurvivalAtTimes(const CAnalysisData& data, AnalysisKind kind, bool stratified,
                                    const std::vector<double>& times)
{
    SurvivalAtTimes table;
    table.times = times;
    table.timeUnit = data.timeUnit;
    table.relative = data.relativeSurvival != 0;
    table.netSurvival = data.UsesNetSurvival();
    const std::vector<const CGroupResult*> groups = AnalysedGroups(data, stratified);
    table.severalGroups = groups.size() > 1;
    for (const CGroupResult* group : groups) {
        GroupCurveValues values{group->info.code, {}};
        for (const double time : times) values.values.push_back(CurveValueAt(data, *group, kind, time));
        table.groups.push_back(std::move(values));
    }
    return table;
}

}  // namespace kalderon
