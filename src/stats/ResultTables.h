#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/CompactText.h"

namespace kalderon {

struct BrennerWalk;  // stats/BrennerStandardisation.h

// One distinct group text with its record counters.
struct CGroupInfo {
    std::string code;
    std::string label;
    std::int32_t recordsRead = 0;
    std::int32_t recordsValid = 0;
    std::int32_t recordsSkipped = 0;
};

// The name a group is shown and reported by: its label, or its code where
// it has none.
inline const std::string& GroupName(const CGroupInfo& info) { return info.label.empty() ? info.code : info.label; }

// Counts of one interval of the follow-up time axis.
struct CIntervalCounts {
    std::int32_t entered = 0;
    std::int32_t censored = 0;
    std::int32_t dead = 0;

    CIntervalCounts operator-(const CIntervalCounts& other) const
    {
        return {entered - other.entered, censored - other.censored, dead - other.dead};
    }
    bool operator==(const CIntervalCounts&) const = default;
};

// One row of a life table, period analysis or trend.
struct CIntervalResult {
    std::int32_t intervalNumber = 0;
    double reserved = 0.0;
    double exposedToRisk = 0.0;
    double intervalSurvival = 1.0;
    double cumulativeSurvival = 1.0;
    double expectedSurvival = 1.0;
    double relativeSurvival = 1.0;
    double standardError = 0.0;
    double lowerLimit = 0.0;
    double upperLimit = 1.0;
    std::int32_t hasStandardError = 0;
    // 0 where the net survival cannot be trusted: the relative survival,
    // its standard error and limits are not shown.
    std::int32_t hasRelativeSurvival = 1;
};

struct CIntervalResultTable {
    std::int32_t timeUnit = 0;
    std::int32_t maxObservationDays = 0;
    std::string ciLevelText;
    std::vector<CIntervalResult> rows;
};

// One row of a product-limit estimate.
struct CTimePointResult {
    std::int32_t entryDays = 0;
    std::int32_t survivalDays = 0;
    CompactText statusText;
    double atRisk = 0.0;
    double proportionSurviving = 1.0;
    double cumulativeSurvival = 1.0;
    double expectedSurvival = 1.0;
    double relativeSurvival = 1.0;
    double standardError = 0.0;
    double lowerLimit = 0.0;
    double upperLimit = 1.0;
    std::int32_t hasStandardError = 0;
    // Both live in the row's padding and are not kept in chart files.
    // false where the net survival cannot be trusted: the relative survival,
    // its standard error and limits are not shown.
    bool hasRelativeSurvival = true;
    // Set for a row that entered late (a period case that began before the
    // period): it is at risk only after entryDays, even when that is 0.
    bool enteredLate = false;
};

// One row of a cumulative incidence table: at a day on which events of the
// cause occurred, or at the end of an interval.
struct CIncidenceRow {
    std::int32_t time = 0;       // the day, or the interval's number (1, 2, ...)
    double atRisk = 0.0;         // cases under observation that day, or entering the interval
    std::int32_t events = 0;     // of the cause that day, or in the interval
    double incidence = 0.0;
    double standardError = 0.0;
    double lowerLimit = 0.0;
    double upperLimit = 0.0;
};

// The cumulative incidence of one cause in one group: cause 1 is the event
// of interest, cause 2, 3, ... the competing events in the order named.
struct CIncidenceCurve {
    std::int32_t cause = 1;
    std::vector<CIncidenceRow> rows;
};

// The result tables of one group.
struct CGroupResult {
    CGroupInfo info;
    std::vector<CIntervalCounts> countsAll;
    std::vector<CIntervalCounts> countsAtPeriodBegin;
    std::vector<CIntervalCounts> countsAtPeriodEnd;
    CIntervalResultTable intervalTable;
    std::vector<CTimePointResult> timePoints;
    std::vector<double> expectedInterval;
    std::vector<double> expectedCumulative;
    // Net survival (Pohar-Perme) per day of follow-up: the cumulative net
    // hazard and its variance at the end of each day.
    std::vector<double> netCumulativeHazard;
    std::vector<double> netHazardVariance;
    // The first day of follow-up from which on the net survival cannot be
    // trusted (NetSurvivalCurve::FirstUnstableDay), -1 when it can be.
    std::int32_t netUnstableFromDay = -1;
    // With CAnalysisData::brennerStandard, beside the net survival: the
    // group's cases with Brenner's weights, walked with it where they could
    // be, for the standardised table (which lets them go).
    std::shared_ptr<const BrennerWalk> brenner;
    // Competing risks: one curve per cause.
    std::vector<CIncidenceCurve> incidence;
};

// Gray's test of equal cumulative incidence of one cause in the groups.
struct CGrayTest {
    std::int32_t cause = 1;
    double statistic = 0.0;
    std::int32_t degreesOfFreedom = 0;
    double pValue = 1.0;
    bool computed = false;  // false when the variance of the scores is singular
};

}  // namespace kalderon
