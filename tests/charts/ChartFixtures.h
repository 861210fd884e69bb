#pragma once

#include <string>
#include <vector>

#include "stats/AnalysisData.h"

namespace kalderon::testing {

inline CGroupResult ChartGroup(const std::string& code, int recordsRead = 10)
{
    CGroupResult group;
    group.info.code = code;
    group.info.recordsRead = recordsRead;
    group.info.recordsValid = recordsRead;
    return group;
}

inline CIntervalResult IntervalRow(int number, double exposed, double survival, double lower, double upper,
                                   int hasStandardError = 1)
{
    CIntervalResult row;
    row.intervalNumber = number;
    row.exposedToRisk = exposed;
    row.cumulativeSurvival = survival;
    row.lowerLimit = lower;
    row.upperLimit = upper;
    row.hasStandardError = hasStandardError;
    return row;
}

// An event ("1") or a censored ("0") product-limit row.
inline CTimePointResult TimePoint(int days, bool event, double survival = 1.0, double lower = 0.0,
                                  double upper = 1.0)
{
    CTimePointResult row;
    row.survivalDays = days;
    row.statusText = event ? "1" : "0";
    if (event) {
        row.cumulativeSurvival = survival;
        row.lowerLimit = lower;
        row.upperLimit = upper;
        row.hasStandardError = 1;
    }
    return row;
}

// A yearly life table of `groups` groups with three intervals each.
inline CAnalysisData LifeTableAnalysis(int groups)
{
    CAnalysisData analysis;
    analysis.title = "rdata.txt";
    analysis.eventCode = "1";
    analysis.statusCodes = {"0", "1"};
    analysis.ciLevelText = ".95";
    for (int g = 0; g < groups; ++g) {
        CGroupResult group = ChartGroup(std::string(1, static_cast<char>('A' + g)));
        group.intervalTable.ciLevelText = ".95";
        const double drop = 0.05 * (g + 1);
        group.intervalTable.rows = {
            IntervalRow(1, 100, 1.0 - drop, 0.9 - drop, 1.0),
            IntervalRow(2, 80, 1.0 - 2 * drop, 0.8 - 2 * drop, 1.0 - drop),
            IntervalRow(3, 60, 1.0 - 3 * drop, 0.7 - 3 * drop, 1.0 - 2 * drop),
        };
        analysis.groupResults.push_back(group);
    }
    return analysis;
}

// A product-limit analysis in years with one group: events at 100 and 400
// days, censored at 200 and 500 days.
inline CAnalysisData ProductLimitAnalysis()
{
    CAnalysisData analysis;
    analysis.title = "pl.txt";
    analysis.eventCode = "1";
    analysis.statusCodes = {"1", "0"};
    analysis.ciLevelText = ".95";
    CGroupResult group = ChartGroup("");
    group.timePoints = {TimePoint(100, true, 0.75, 0.5, 1.0), TimePoint(200, false), TimePoint(400, true, 0.5, 0.25, 0.75),
                        TimePoint(500, false)};
    analysis.groupResults.push_back(group);
    return analysis;
}

}  // namespace kalderon::testing
